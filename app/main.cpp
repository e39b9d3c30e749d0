// spacevisit: walks through the personal-space pages of numeric accounts.
#include "app/startup.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return app::run();
}
