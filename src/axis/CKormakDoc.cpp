#include "axis/CKormakDoc.h"

void CKormakDoc::setTitle(const QString& title, const QString& currentAddress,
                          const QString& axisWord) {
    QString t = title;
    if (retitlePending) {
        if (currentAddress.contains(QLatin1String("OFFLINE")))
            t += QStringLiteral(": ") + currentAddress;
        else
            t += QStringLiteral(": ") + axisWord + QStringLiteral(" ") + currentAddress;
        retitlePending = false;
    }
    if (t == title_)
        return;
    title_ = t;
    emit titleChanged(t);
}
