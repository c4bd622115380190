// Tintarium: a colour-memory game for one or two players.
#include "Application.h"
#include "Programmstart.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    const int status = Programmstart(app);
    app.exitBeforePlatformTeardown(status);
    return status;
}
