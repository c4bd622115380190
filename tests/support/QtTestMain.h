// Shared by the Qt tests: puts back the error box handler that prints boxes
// to stderr (the one QtTestMain installs before the tests run).
#pragma once

void installPrintingErrorBox();
