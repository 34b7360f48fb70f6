#pragma once

#include <QtGlobal>

namespace florist::detail {

// What the sheet helper process does to itself before it reads a file, behind one seam: caps
// its own address space (where the system allows it; elsewhere the parent's time limit is the
// only bound) and puts its standard output in binary mode.
void limitOwnMemory(qint64 bytes);
void binaryStandardOutput();

} // namespace florist::detail
