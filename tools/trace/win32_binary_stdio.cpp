// The Windows trace tool reads its script and writes its trace in binary mode, as on Linux:
// the same bytes in, the same bytes out, LF line ends included. Linked into the tool only.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

struct BinaryStdio {
    BinaryStdio() {
        (void)_setmode(_fileno(stdin), _O_BINARY);
        (void)_setmode(_fileno(stdout), _O_BINARY);
    }
};
const BinaryStdio theBinaryStdio;

}  // namespace
