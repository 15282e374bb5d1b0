#pragma once

// Moving or copying a selection of items (an ascending list of indices ended by -1) one item at a time
// through an operation of the container. The list is adjusted in place as the items shift.

class indexop {
public:
  // Moves the item at index to before position `to` (MoveItems), or inserts a copy of it at `to`
  // (CopyItems); 0 stops.
  virtual int apply(int index, int to) = 0;

protected:
  ~indexop() = default;
};

int MoveItems(indexop& operation, int* indices, int to);
int CopyItems(indexop& operation, int* indices, int base);
