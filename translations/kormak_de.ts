<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Kormak</name>
    <message id="10103">
        <source>Schnittstelle Timeout!</source>
        <translation>Schnittstelle Timeout!</translation>
    </message>
</context>
</TS>
