// The edit field is Qt's line edit: it refuses characters beyond maxLength()
// and passes Enter on to its parents.
#include "Edit.h"

TEdit::TEdit(QWidget* parent)
    : QLineEdit(parent)
{
}
