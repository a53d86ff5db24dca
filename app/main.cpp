// The program's entry point: the game's run inside the finest timer period the system has.
#include "app/startup.h"
#include "platform/clock.h"
#include "platform/message_box.h"

int main(int argc, char** argv) {
    // A copy started only to show a message box does that and nothing else.
    const int boxStatus = ServeMessageBox(argc, argv);
    if (boxStatus >= 0)
        return boxStatus;
    BeginTimerPeriod();
    const int status = RunGame();
    EndTimerPeriod();
    return status;
}
