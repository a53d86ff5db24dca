// The program's entry point.
#include "app/startup.h"

int main() {
    return RunGame();
}
