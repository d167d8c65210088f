#include <cstdio>
int main() { std::fputs("quarzel-cli: not built yet\n", stderr); return 1; }
