// The C++ runtime's failure paths, as the library needs them. Every callback
// and the export catch whatever is thrown, so neither the terminate handler
// nor the kind of a runtime failure is ever seen by anybody. Defining them
// here keeps the runtime's verbose terminate handler (with its symbol
// demangler) and its table of standard exception classes (with a string
// implementation of their own) out of the library: that halves its size.
#include <cstdlib>
#include <new>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx

namespace std {

// Containers and strings report impossible sizes and positions, and an empty
// std::function its call, all as a failure of the running step.
void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_alloc(); }
void __throw_bad_function_call() { throw std::bad_alloc(); }
void __throw_length_error(const char*) { throw std::bad_alloc(); }
void __throw_logic_error(const char*) { throw std::bad_alloc(); }
void __throw_out_of_range_fmt(const char*, ...) { throw std::bad_alloc(); }

}  // namespace std
