// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start of the program: title, the five screens in their fixed order, the
// event loop, and the screens' destruction in reverse order. Errors during
// the start are shown in the error box; the start always returns 0.
#pragma once

class TApplication;

// Runs the whole program on an application object that has been constructed.
int Programmstart(TApplication& app);

// Constructs a screen whose constructor sets `zeiger` in its first line, so
// that the screen is reachable through its pointer while it is being built.
// A constructor that fails leaves the pointer null, not dangling.
template <class T> T* FormErzeugen(T*& zeiger)
{
    try {
        return new T();
    } catch (...) {
        zeiger = nullptr;
        throw;
    }
}
