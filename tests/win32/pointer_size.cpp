// Prints the size of a pointer: 4 where the program runs as a 32-bit one, 8 as a 64-bit one.
#include <cstdio>

int main() { std::printf("%u\n", static_cast<unsigned>(sizeof(void*))); }
