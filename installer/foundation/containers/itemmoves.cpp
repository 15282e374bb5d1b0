#include <foundation/containers/itemmoves.h>

int MoveItems(indexop& operation, int* indices, int to) {
  for (int* at = indices; *at != -1; ++at) {
    int moved = *at;
    if (!operation.apply(moved, to))
      return 0;
    for (int* later = at + 1; *later != -1 && *later < to; ++later)
      --*later;
    if (to < moved)
      ++to;
  }
  return 1;
}

int CopyItems(indexop& operation, int* indices, int base) {
  for (int j = 0; indices[j] != -1; ++j) {
    int position = base + j;
    if (!operation.apply(indices[j], position))
      return 0;
    for (int* later = indices + j + 1; *later != -1; ++later)
      if (*later >= position)
        ++*later;
  }
  return 1;
}
