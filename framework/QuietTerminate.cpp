// std::terminate without the library's verbose handler. That handler prints
// the pending exception's demangled type name to stderr, which a windowed
// program does not have, and links the whole C++ demangler (about 50 KB) into
// the program; this one ends the program the same way, through abort().
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
