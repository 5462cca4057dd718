#pragma once

class QPrinter;
class QTextDocument;

namespace draivo {

inline constexpr int TwipsPerInch = 1440;

// Page margins in twips, measured from the paper edges.
struct PrintMargins {
  int left = TwipsPerInch;
  int top = TwipsPerInch;
  int right = TwipsPerInch;
  int bottom = TwipsPerInch;
};

// Prints the whole document on the printer, laid out with the document's own fonts inside
// the margins, page by page: a new page starts where the layout finds the page full.
// Returns the number of pages printed, 0 when the printer could not start the job.
int PrintRTF(const QTextDocument& document, QPrinter& printer, const PrintMargins& margins);

}  // namespace draivo
