#include "MyShellUtils.h"

#include "DesktopServices.h"

bool ShellOpen(const std::string& target) {
    return DesktopServices::Current().Open(target);
}
