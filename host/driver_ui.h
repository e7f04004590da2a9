// The stand-in's IPrintOemDriverUI, which it publishes to the plug-in.
#pragma once

#include "platform/win32/oem_interface.h"

namespace standin {

// A new object with one reference, owned by the caller.
IPrintOemDriverUI* CreateDriverUi();

}  // namespace standin
