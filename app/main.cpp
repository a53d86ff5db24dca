// The program's entry point: the game's run inside the finest timer period the system has.
#include "app/startup.h"
#include "platform/clock.h"

int main() {
    BeginTimerPeriod();
    const int status = RunGame();
    EndTimerPeriod();
    return status;
}
