#pragma once

// The configuration report as texts: what was read from the axis or taken
// from the document, composed in the language of the moment it was read. The
// painter draws it as often as asked and never talks to the axis.

#include <QDate>
#include <QString>
#include <QStringList>

struct ReportModel {
    QString title; // header title: the file path, the offline marker or "...von Achse 3"
    QDate date;    // the day the report was read
    // The footer of every page, "%1" the page and "%2" the number of pages;
    // empty: the text of the language the pages are drawn in.
    QString pageNumber;

    // The four parameter blocks, each one text with "\r\n" line ends and tabs.
    QString deviceBlock;
    QString generalBlock;
    QString currentsBlock;
    QString rampsBlock;

    // One flowing block per programmed slot, in slot order.
    QStringList slotBlocks;
};
