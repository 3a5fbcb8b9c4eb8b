// The C host compiled as C++ (98 and 17): the header's extern "C" block and its
// pointer type must serve C++ hosts too.
#include "header_host.c"
