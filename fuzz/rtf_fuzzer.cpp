// Fuzz target of the instructions reader: the bytes are read as RTF and, when
// they are not valid RTF, as plain text, as TRichEdit::loadFromFile does;
// whatever is read is laid out at the width of the setup screen's view.
#include "FuzzSupport.h"
#include "RichEdit.h"
#include "RtfReader.h"

#include <QByteArray>
#include <QSizeF>
#include <QTextDocument>
#include <QTextOption>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    startFuzzApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Raw data, not a copy: the sanitizer then sees any read past its end.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    document.setTextWidth(273);
    QTextOption wrapping = document.defaultTextOption(); // as TRichEdit wraps
    wrapping.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(wrapping);
    if (RtfReader::read(bytes, document)) {
        reportOutcome(QStringLiteral("RTF, %1 paragraphs").arg(document.blockCount()));
    } else {
        QString text;
        if (!TRichEdit::decodePlainText(bytes, text)) {
            reportOutcome(QStringLiteral("neither RTF nor text"));
            return 0;
        }
        document.setPlainText(text);
        reportOutcome(QStringLiteral("plain text, %1 paragraphs").arg(document.blockCount()));
    }
    volatile qreal height = document.size().height(); // lays the document out
    (void)height;
    return 0;
}
