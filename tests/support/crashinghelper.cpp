#include <cstdlib>

// Stands in for the spreadsheet helper process in tests: it dies as a reader that a damaged
// file crashes would, before it answers.
int main() {
    std::abort();
}
