#include "app/TerminalConsole.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace colsec {

namespace {

// Erases from the cursor to the end of the line.
constexpr const char* kEraseLineEnd = "\x1b[K";

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

ProgressLines::ProgressLines(std::ostream& terminal, int width)
    : terminal_(terminal), width_(static_cast<std::size_t>(std::max(width, 20) - 1)) {}

ProgressLines::int_type ProgressLines::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  xsputn(&ch, 1);
  return c;
}

std::streamsize ProgressLines::xsputn(const char* text, std::streamsize count) {
  for (std::streamsize i = 0; i < count; ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      const std::string text = std::move(pending_);
      pending_.clear();
      piece(text);
    } else {
      pending_ += c;
    }
  }
  return count;
}

void ProgressLines::piece(std::string_view text) {
  text = trimmed(text);
  if (text.empty() || text == "Done") return;
  if (startsWith(text, "Iteration") || startsWith(text, "Alpha")) {
    detail_ = text;
  } else if (startsWith(text, "[")) {
    // A progress bar: its percentage joins the angle it belongs to.
    const std::size_t end = text.find("] ");
    const std::string percent = end == std::string_view::npos ? std::string() : std::string(text.substr(end + 2));
    const std::size_t comma = detail_.find(", ");
    if (comma != std::string::npos) detail_.erase(comma);
    if (!percent.empty()) detail_ += ", " + percent;
  } else if (!phase_.empty() && startsWith(text, phase_)) {
    // The phase's header again (once per angle), or its end.
    const std::string_view rest = trimmed(text.substr(phase_.size()));
    if (rest.empty()) return;
    detail_ = rest;
  } else {
    breakLine();
    phase_ = text;
    detail_.clear();
  }
  show(detail_.empty() ? phase_ : phase_ + ": " + detail_);
}

void ProgressLines::show(const std::string& line) {
  terminal_ << '\r' << line.substr(0, width_) << kEraseLineEnd;
  terminal_.flush();
  lineShown_ = true;
}

void ProgressLines::breakLine() {
  if (!pending_.empty()) {
    const std::string text = std::move(pending_);
    pending_.clear();
    piece(text);
  }
  if (!lineShown_) return;
  terminal_ << '\n';
  terminal_.flush();
  lineShown_ = false;
}

CollectedWarnings::CollectedWarnings(std::ostream& errors, ProgressLines& progress)
    : errors_(errors), progress_(progress) {}

CollectedWarnings::int_type CollectedWarnings::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  const char ch = traits_type::to_char_type(c);
  xsputn(&ch, 1);
  return c;
}

std::streamsize CollectedWarnings::xsputn(const char* text, std::streamsize count) {
  if (count <= 0) return 0;
  if (atLineStart_) progress_.breakLine();
  const std::string_view piece(text, static_cast<std::size_t>(count));
  errors_ << piece;
  errors_.flush();
  text_ += piece;
  atLineStart_ = piece.back() == '\n';
  return count;
}

TerminalConsole::TerminalConsole(std::ostream& terminal, std::ostream& errors, int width)
    : terminal_(terminal),
      progressLines_(terminal, width),
      warnings_(errors, progressLines_),
      progressStream_(&progressLines_),
      diagnosticsStream_(&warnings_) {}

void TerminalConsole::finish() {
  progressStream_.flush();
  progressLines_.breakLine();
  if (warnings_.text().empty()) return;
  terminal_ << "\nWarnings:\n" << warnings_.text();
  if (warnings_.text().back() != '\n') terminal_ << '\n';
}

int terminalWidth() {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

}  // namespace colsec
