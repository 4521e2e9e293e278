#include "platform/ui/DialogUnits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <cstdlib>

namespace {

// Faces with the metrics of the classic dialog font at 8 points: an average
// character width of 6 pixels and a height of 13 at 96 dots per inch.
const char* const kSansSerifStandIns[] = {"Microsoft Sans Serif", "DejaVu Sans Condensed",
                                          "Liberation Sans Narrow"};

}  // namespace

QFont TemplateFont(const std::string& face, int points) {
    QFont font(QString::fromStdString(face), points);
    if (QFontInfo(font).family().compare(QString::fromStdString(face), Qt::CaseInsensitive) == 0) {
        return font;
    }
    if (face == "MS Sans Serif" || face == "MS Shell Dlg") {
        for (const char* standIn : kSansSerifStandIns) {
            if (QFontDatabase::hasFamily(standIn)) return QFont(standIn, points);
        }
    }
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(width / 26 + 1) / 2, metrics.height()};
}

int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long quotient = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -quotient : quotient);
}

QRect MapDialogRect(const DialogBaseUnits& units, int x, int y, int cx, int cy) {
    return QRect(MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
                 MulDiv(cy, units.y, 8));
}
