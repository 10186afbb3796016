#include "platform/services.h"

#include "platform/host.h"
#include "platform/launcher.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/windowsystem.h"

namespace tarvo::platform {

TServices& Services()
{
    static TServices services = HostServices();
    return services;
}

std::string ProgramDirectory()
{
    return DirectoryPart(Services().Program->ProgramPath());
}

} // namespace tarvo::platform
