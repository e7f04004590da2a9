// The stand-in's IPrintOemDriverUI, which it publishes to the plug-in.
#pragma once

#include "core/oem_interface.h"

namespace standin {

// A new object with one reference, owned by the caller.
IPrintOemDriverUI* CreateDriverUi();

}  // namespace standin
