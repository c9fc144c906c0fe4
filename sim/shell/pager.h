// The --More-- pager: on a terminal, output longer than a page stops after each page
// until the operator asks for more: space for a page, Enter for a line, q or Ctrl-C to
// stop. `terminal length N` sets the page for the rest of the session, 0 turns it off.
#ifndef VDCSIM_PAGER_H
#define VDCSIM_PAGER_H

#include <string>

namespace vdcsim {

constexpr int max_page_length = 511;

// Lines on a page for this session, or -1 for the terminal's rows less one.
void set_page_length(int lines);
// The lines on a page for output now; 0 when it is not paged.
int page_lines();

class pager {
 public:
  explicit pager(int lines);  // 0 never stops
  // Writes `line`, first asking at a full page; false once the operator stopped.
  bool put(const std::string &line);

 private:
  enum class answer { page, line, stop };
  answer ask();
  int rows_taken(const std::string &line) const;

  int lines_;
  int columns_ = 0;
  int shown_ = 0;
};

}  // namespace vdcsim

#endif  // VDCSIM_PAGER_H
