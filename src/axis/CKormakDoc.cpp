#include "axis/CKormakDoc.h"
#include "link/AxisAddress.h"

void CKormakDoc::setTitle(const QString& title, const QString& currentAddress,
                          const QString& axisWord) {
    QString t = title;
    if (retitlePending) {
        if (AxisAddress::ofLinkText(currentAddress).isOffline())
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
