#pragma once

// Reading the configuration report: an axis once, live, or an offline
// document, into the report's texts. The drawing is the painter's.

#include "report/ReportModel.h"

class CKormakDoc;
class Operator;
class SerialLink;
struct AxisConfiguration;

namespace ReportReader {

enum class Result {
    Done,
    // The report cannot be made; the operator was told (10103, 10224, or
    // the link's own message) and nothing may be printed.
    Aborted
};

// Fills model for the panel whose parameters and document are given.
// Offline (currentAddress contains "OFFLINE"): from the panel, the document
// and its file lines; nothing is sent. Online: the axis in currentAddress is
// queried in the report's order - "DO?", "IV?", "IB?", "IC?", "PO?", "PF?",
// "PG?", "PW?", "PM?", "PP?", "FA?", "PT?", "PS?", "PR?", "PA?", then "ER00"
// .. "ERFF", with "FA?" again for each extended current step - under the busy
// state, with the status-bar progress over the slot reads and the window kept
// alive between them. The date is the given day.
Result Read(SerialLink& link, Operator& op, const AxisConfiguration& params, const CKormakDoc& doc,
            ReportModel* model, const QDate& date = QDate::currentDate());

// The device block of an offline document, from the device lines an online
// save writes into the file header. Exposed for the tests of its bounds.
QString OfflineDeviceBlock(const CKormakDoc& doc);

} // namespace ReportReader
