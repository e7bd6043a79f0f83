#pragma once

// Ids of the messages several parts of the program show. A message that only
// one procedure shows keeps its id beside that procedure.
namespace MessageId {
inline constexpr int AxisWord = 10000;           // "Axe " before an address
inline constexpr int SendPlcTitle = 10101;       // title of the PLC send window
inline constexpr int SendPlcLabel = 10102;       // "Transmitted program number:"
inline constexpr int NoReply = 10103;            // a reply did not come
inline constexpr int PortNotOpened = 10104;      // the interface cannot be opened
inline constexpr int DeletePlcQuestion = 10111;  // delete the whole PLC range?
inline constexpr int ProgramPlcQuestion = 10112; // store the PLC cycles?
inline constexpr int ProgramDone = 10113;        // programming finished
inline constexpr int ProgramFailed = 10114;      // programming failed
inline constexpr int CopyQuestion = 10127;       // copy to the following rows?
inline constexpr int NoRampRoom = 10170;         // not enough free ramp memory
inline constexpr int ReadingSlots = 10172;       // PLC sequences are being read
inline constexpr int PrintFailed = 10224;        // error during printing
inline constexpr int ChangedQuestion = 10239;    // changed: exit anyway?
inline constexpr int DigitsOnly = 10243;         // "Please use only digits!"
inline constexpr int InputErrorCaption = 10244;  // caption of that message
} // namespace MessageId
