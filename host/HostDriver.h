#pragma once
// What every host driver shares: attaching resolves the class's member names,
// and a property read that yields an object hands out a new heap driver.

#include <memory>

#include "host/ResolveDispID.h"
#include "platform/automation/DispatchDriver.h"

// Reads an object-valued property; null when the host returns no object. The
// new driver takes over the reference that the read returned.
template <class Driver>
std::unique_ptr<Driver> ReadObjectProperty(COleDispatchDriver& owner, DISPID id) {
    LPDISPATCH object = nullptr;
    owner.InvokeHelper(id, DISPATCH_PROPERTYGET, VT_DISPATCH, &object, nullptr);
    if (!object) return nullptr;
    auto driver = std::make_unique<Driver>();
    driver->Attach(object);
    return driver;
}
