// Needs the C++ runtime DLL, which no Windows has: Wine must fail to start it.
#include <iostream>
int main() { std::cout << "started\n"; }
