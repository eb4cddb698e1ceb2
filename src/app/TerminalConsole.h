#pragma once
// The console of a run whose standard output is a terminal. The analysis
// writes the same progress text as for a file or a pipe; this filter shows
// it as one line per phase, rewritten in place ("\r", erase to the end of
// the line), and never clears the screen. Warnings go to standard error at
// once and are kept, to be repeated after the progress, where they are not
// scrolled away.

#include <iosfwd>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace colsec {

// Turns progress text into one in-place line per phase. A piece of text
// (up to "\n" or "\r") that starts a phase ("Calculating Shear Stresses")
// begins a new line; iteration residuals, angles and progress bars update
// the phase's line; "Done" pieces carry nothing a terminal needs.
class ProgressLines final : public std::streambuf {
 public:
  // terminal must outlive the filter; width: columns of the terminal, the
  // line is cut to one less so that it never wraps.
  ProgressLines(std::ostream& terminal, int width);

  // Ends the line shown, if any, so that other text starts on a fresh line.
  void breakLine();

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;

 private:
  void piece(std::string_view text);
  void show(const std::string& line);

  std::ostream& terminal_;
  const std::size_t width_;
  std::string pending_;
  std::string phase_;
  std::string detail_;
  bool lineShown_ = false;
};

// Passes text to standard error and keeps a copy; ends the progress line
// first so that a warning never lands in the middle of it.
class CollectedWarnings final : public std::streambuf {
 public:
  // errors and progress must outlive this object.
  CollectedWarnings(std::ostream& errors, ProgressLines& progress);
  const std::string& text() const { return text_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* text, std::streamsize count) override;

 private:
  std::ostream& errors_;
  ProgressLines& progress_;
  std::string text_;
  bool atLineStart_ = true;
};

// The two streams a run on a terminal gets, and what follows the run.
class TerminalConsole {
 public:
  TerminalConsole(std::ostream& terminal, std::ostream& errors, int width);
  TerminalConsole(const TerminalConsole&) = delete;
  TerminalConsole& operator=(const TerminalConsole&) = delete;

  std::ostream& progress() { return progressStream_; }
  std::ostream& diagnostics() { return diagnosticsStream_; }

  // Ends the progress line and repeats the warnings of the run under a
  // heading; nothing when there were none.
  void finish();

 private:
  std::ostream& terminal_;
  ProgressLines progressLines_;
  CollectedWarnings warnings_;
  std::ostream progressStream_;
  std::ostream diagnosticsStream_;
};

// Columns of the terminal on standard output; 80 when unknown.
int terminalWidth();

}  // namespace colsec
