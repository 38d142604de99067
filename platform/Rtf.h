#pragma once
// Rich Text Format for the report listing: the writer puts out what word processors open
// (fonts, sizes, bold, italic, underline, colours, paragraph alignment); the reader takes all
// of that back and the plain text of any other RTF file, skipping what it does not know.

#include <string>

class QTextDocument;

std::string DocumentToRtf(const QTextDocument& doc);
// Appends the content of rtf to doc as new paragraphs (doc is not cleared). EInOutError
// "Not a rich text file" when the text does not open like RTF.
void RtfToDocument(const std::string& rtf, QTextDocument& doc);
