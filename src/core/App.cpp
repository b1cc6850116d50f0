#include "core/App.h"

App::App(const platform::Services& services)
    : services(services)
{
}
