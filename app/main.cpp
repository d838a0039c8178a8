// Corvane's entry. Command-line arguments are ignored.
#include "app/startup.h"

int main() {
  return corvane::start_corvane();
}
