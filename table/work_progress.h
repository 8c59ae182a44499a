#pragma once
// How far long work of the table has got, for a window to show while it runs; the table works
// the same without one (the headless tool gives none).
#include <cstddef>

namespace Tarvane {

class WorkProgress {
public:
  virtual ~WorkProgress() = default;
  // While deck list files are added: once before the first (done 0) and after each file read.
  // False stops the adding there; the decks read so far stay.
  virtual bool DecksRead(std::size_t done, std::size_t total) = 0;
  // While a refresh fills the cells: once before the first column (done 0) and after each.
  virtual void ColumnsFilled(std::size_t done, std::size_t total) = 0;
  // While the rows are sorted: once before the first comparison (done 0), then now and then
  // with the comparisons made so far.
  virtual void RowsCompared(std::size_t done, std::size_t rows) = 0;
  // The work is over, finished or stopped; a refresh or a sort ends every work.
  virtual void WorkEnded() = 0;
};

}  // namespace Tarvane
