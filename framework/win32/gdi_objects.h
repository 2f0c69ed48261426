// Scoped GDI objects: one created object, and one selection into a context.
// Declare the object before its selection, so that the previous object is
// selected back before the created one is released.
#pragma once

#include <windows.h>

namespace tovik::gdi {

class Owned {
public:
    explicit Owned(HGDIOBJ object) : object_(object) {}
    ~Owned() {
        if (object_ != nullptr) DeleteObject(object_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    HGDIOBJ get() const { return object_; }

private:
    HGDIOBJ object_;
};

class Selection {
public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace tovik::gdi
