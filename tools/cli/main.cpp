// cineledger-cli: the program's companion for scripts and for checking data.
#include <cstdio>

int main() {
    std::puts("usage: cineledger-cli info|list|resave|probe ...");
    return 2;
}
