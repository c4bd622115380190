// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Shared by the Qt tests: puts back the error box handler that prints boxes
// to stderr (the one QtTestMain installs before the tests run).
#pragma once

void installPrintingErrorBox();
