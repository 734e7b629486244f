#include "window/form/form_style.h"

#include <QFile>
#include <QRegularExpression>
#include <QtMath>

QString formStyleSheet(double zoom)
{
    QFile file(QStringLiteral(":/form.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString sheet = QString::fromUtf8(file.readAll());
    if (zoom == 1)
        return sheet;

    static const QRegularExpression size(QStringLiteral("(\\d+)px"));
    QString scaled;
    qsizetype copied = 0;
    for (auto match = size.globalMatch(sheet); match.hasNext();) {
        const auto found = match.next();
        const int pixels = found.captured(1).toInt();
        // Rounded down, so the indicator and its spacing never take a pixel more than their
        // share from a caption; a border stays at least one pixel wide.
        const int zoomed = pixels == 0 ? 0 : qMax(1, qFloor(pixels * zoom));
        scaled += QStringView(sheet).mid(copied, found.capturedStart() - copied);
        scaled += QString::number(zoomed) + QStringLiteral("px");
        copied = found.capturedEnd();
    }
    scaled += QStringView(sheet).mid(copied);
    return scaled;
}
