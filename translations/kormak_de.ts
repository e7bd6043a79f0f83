<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="de_DE">
<context>
    <name>Kormak</name>
    <message id="129">
        <source>&#10;Kormak&#10;Kormak&#10;Kormak Files (*.OPM)&#10;.OPM&#10;Kormak.Document&#10;Kormak.Document</source>
        <translation>&#10;Kormak&#10;Kormak&#10;Kormak Files (*.OPM)&#10;.OPM&#10;Kormak.Document&#10;Kormak.Document</translation>
    </message>
    <message id="10000">
        <source>Achse </source>
        <translation>Achse </translation>
    </message>
    <message id="10001">
        <source>Fahrb&amp;efehle (bzgl. 1/8-Schritt)</source>
        <translation>Fahrb&amp;efehle (bzgl. 1/8-Schritt)</translation>
    </message>
    <message id="10002">
        <source>Parameter (bzgl. Vollschritt)</source>
        <translation>Parameter (bzgl. Vollschritt)</translation>
    </message>
    <message id="10003">
        <source>St&amp;art-/Stopfr.:</source>
        <translation>St&amp;art-/Stopfr.:</translation>
    </message>
    <message id="10004">
        <source>Lauffre&amp;quenz:</source>
        <translation>Lauffre&amp;quenz:</translation>
    </message>
    <message id="10005">
        <source>Ra&amp;mpe:</source>
        <translation>Ra&amp;mpe:</translation>
    </message>
    <message id="10006">
        <source>Anlagent&amp;yp:</source>
        <translation>Anlagent&amp;yp:</translation>
    </message>
    <message id="10007">
        <source>&amp;Betriebsart:</source>
        <translation>&amp;Betriebsart:</translation>
    </message>
    <message id="10008">
        <source>Streckenregister (bzgl. 1/8-Schritt)</source>
        <translation>Streckenregister (bzgl. 1/8-Schritt)</translation>
    </message>
    <message id="10009">
        <source>Aktuelle &amp;Istposition:</source>
        <translation>Aktuelle &amp;Istposition:</translation>
    </message>
    <message id="10010">
        <source>Achsenbegrenz&amp;ung:</source>
        <translation>Achsenbegrenz&amp;ung:</translation>
    </message>
    <message id="10011">
        <source>Spie&amp;lausgleich:</source>
        <translation>Spie&amp;lausgleich:</translation>
    </message>
    <message id="10012">
        <source>Nullpunktoffset&#13;&#10;vom Initiator -</source>
        <translation>Nullpunktoffset&#13;&#10;vom Initiator -</translation>
    </message>
    <message id="10013">
        <source>Nullpunktoffset&#13;&#10;vom Initiator +</source>
        <translation>Nullpunktoffset&#13;&#10;vom Initiator +</translation>
    </message>
    <message id="10014">
        <source>Achsen-Kurzstatus</source>
        <translation>Achsen-Kurzstatus</translation>
    </message>
    <message id="10015">
        <source>Digital - I/O</source>
        <translation>Digital - I/O</translation>
    </message>
    <message id="10016">
        <source>Achse pro&amp;grammieren</source>
        <translation>Achse pro&amp;grammieren</translation>
    </message>
    <message id="10017">
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message id="10018">
        <source>Sto&amp;p</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message id="10019">
        <source>Str&amp;om &gt;&gt;</source>
        <translation>Str&amp;om &gt;&gt;</translation>
    </message>
    <message id="10020">
        <source>Default !</source>
        <translation>Default !</translation>
    </message>
    <message id="10021">
        <source>S&amp;tatus &gt;&gt;</source>
        <translation>S&amp;tatus &gt;&gt;</translation>
    </message>
    <message id="10022">
        <source>&amp;Reset &gt;&gt;</source>
        <translation>&amp;Reset &gt;&gt;</translation>
    </message>
    <message id="10023">
        <source>Rampen &gt;&gt;</source>
        <translation>Rampen &gt;&gt;</translation>
    </message>
    <message id="10024">
        <source>SPS &gt;&gt;</source>
        <translation>SPS &gt;&gt;</translation>
    </message>
    <message id="10025">
        <source>Akt. Parameter speichern</source>
        <translation>Akt. Parameter speichern</translation>
    </message>
    <message id="10027">
        <source>Optionale &amp;Zusatzkarte &gt;&gt;</source>
        <translation>Optionale &amp;Zusatzkarte &gt;&gt;</translation>
    </message>
    <message id="10028">
        <source>RS-Mo&amp;nitor &gt;&gt;</source>
        <translation>RS-Mo&amp;nitor &gt;&gt;</translation>
    </message>
    <message id="10030">
        <source>S&amp;chließen</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message id="10031">
        <source>Initiator +</source>
        <translation>Initiator +</translation>
    </message>
    <message id="10032">
        <source>Initiator -</source>
        <translation>Initiator -</translation>
    </message>
    <message id="10033">
        <source>Motor läuft</source>
        <translation>Motor läuft</translation>
    </message>
    <message id="10034">
        <source>Fehler: SFI</source>
        <translation>Fehler: SFI</translation>
    </message>
    <message id="10035">
        <source>Fehler: Endstufe</source>
        <translation>Fehler: Endstufe</translation>
    </message>
    <message id="10036">
        <source>Sonstiger Fehler</source>
        <translation>Sonstiger Fehler</translation>
    </message>
    <message id="10037">
        <source>Hardware-Reset (Watchdog?)</source>
        <translation>Hardware-Reset (Watchdog?)</translation>
    </message>
    <message id="10038">
        <source>Initialisiere über Initiator +</source>
        <translation>Initialisiere über Initiator +</translation>
    </message>
    <message id="10039">
        <source>Initialisiere über Initiator -</source>
        <translation>Initialisiere über Initiator -</translation>
    </message>
    <message id="10040">
        <source>Positioniere absolut...</source>
        <translation>Positioniere absolut...</translation>
    </message>
    <message id="10041">
        <source>Verfahre relativ...</source>
        <translation>Verfahre relativ...</translation>
    </message>
    <message id="10042">
        <source>Freier Lauf Richtung +</source>
        <translation>Freier Lauf Richtung +</translation>
    </message>
    <message id="10043">
        <source>Freier Lauf Richtung -</source>
        <translation>Freier Lauf Richtung -</translation>
    </message>
    <message id="10044">
        <source>Ein Schritt Richtung +</source>
        <translation>Ein Schritt Richtung +</translation>
    </message>
    <message id="10045">
        <source>Ein Schritt Richtung -</source>
        <translation>Ein Schritt Richtung -</translation>
    </message>
    <message id="10046">
        <source>&gt;&gt;&gt; nicht belegt &lt;&lt;&lt;</source>
        <translation>&gt;&gt;&gt; nicht belegt &lt;&lt;&lt;</translation>
    </message>
    <message id="10047">
        <source>Rotatorisch</source>
        <translation>Rotatorisch</translation>
    </message>
    <message id="10048">
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message id="10049">
        <source>PC-Anschluss</source>
        <translation>PC-Anschluss</translation>
    </message>
    <message id="10050">
        <source>SPS-Modus</source>
        <translation>SPS-Modus</translation>
    </message>
    <message id="10052">
        <source>&amp;Schnittstelle</source>
        <translation>&amp;Schnittstelle</translation>
    </message>
    <message id="10053">
        <source>Achsen</source>
        <translation>Achsen</translation>
    </message>
    <message id="10054">
        <source>[vohandene]</source>
        <translation>[vohandene]</translation>
    </message>
    <message id="10056">
        <source>&amp;Stopstrom</source>
        <translation>&amp;Stopstrom</translation>
    </message>
    <message id="10057">
        <source>&amp;Laufstrom</source>
        <translation>&amp;Laufstrom</translation>
    </message>
    <message id="10058">
        <source>&amp;Booststrom</source>
        <translation>&amp;Booststrom</translation>
    </message>
    <message id="10059">
        <source>Überhöhungs&amp;zeit</source>
        <translation>Überhöhungs&amp;zeit</translation>
    </message>
    <message id="10060">
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="10061">
        <source>: Achsen - Gesamtstatus</source>
        <translation>: Achsen - Gesamtstatus</translation>
    </message>
    <message id="10062">
        <source>Motor läuft</source>
        <translation>Motor läuft</translation>
    </message>
    <message id="10063">
        <source>Echter freier Lauf aktiv</source>
        <translation>Echter freier Lauf aktiv</translation>
    </message>
    <message id="10064">
        <source>Initialisierung läuft</source>
        <translation>Initialisierung läuft</translation>
    </message>
    <message id="10065">
        <source>Initialisierung erfolgreich</source>
        <translation>Initialisierung erfolgreich</translation>
    </message>
    <message id="10066">
        <source>Initiator +</source>
        <translation>Initiator +</translation>
    </message>
    <message id="10067">
        <source>Initiator -</source>
        <translation>Initiator -</translation>
    </message>
    <message id="10068">
        <source>Fehler: Ausgangstreiber</source>
        <translation>Fehler: Ausgangstreiber</translation>
    </message>
    <message id="10069">
        <source>Fehler: Endstufe</source>
        <translation>Fehler: Endstufe</translation>
    </message>
    <message id="10070">
        <source>Fehler: Initiatoren</source>
        <translation>Fehler: Initiatoren</translation>
    </message>
    <message id="10071">
        <source>Fehler: SFI</source>
        <translation>Fehler: SFI</translation>
    </message>
    <message id="10072">
        <source>Vorwarnung: Temperatur</source>
        <translation>Vorwarnung: Temperatur</translation>
    </message>
    <message id="10073">
        <source>Taktsperre aktiv!</source>
        <translation>Taktsperre aktiv!</translation>
    </message>
    <message id="10074">
        <source>Empfangsfehler Achse</source>
        <translation>Empfangsfehler Achse</translation>
    </message>
    <message id="10075">
        <source>Speicherüberlauf</source>
        <translation>Speicherüberlauf</translation>
    </message>
    <message id="10076">
        <source>Paritätsfehler</source>
        <translation>Paritätsfehler</translation>
    </message>
    <message id="10077">
        <source>Prüfsummenfehler</source>
        <translation>Prüfsummenfehler</translation>
    </message>
    <message id="10078">
        <source>Befehl gerade ungültig</source>
        <translation>Befehl gerade ungültig</translation>
    </message>
    <message id="10079">
        <source>Unbekannter Befehl</source>
        <translation>Unbekannter Befehl</translation>
    </message>
    <message id="10080">
        <source>Parameterwert unzulässig</source>
        <translation>Parameterwert unzulässig</translation>
    </message>
    <message id="10081">
        <source>Statuscode:&#9;</source>
        <translation>Statuscode:&#9;</translation>
    </message>
    <message id="10082">
        <source>Bioscode:&#9;</source>
        <translation>Bioscode:&#9;</translation>
    </message>
    <message id="10083">
        <source>Systemcode:&#9;</source>
        <translation>Systemcode:&#9;</translation>
    </message>
    <message id="10084">
        <source>Datumscode:&#9;</source>
        <translation>Datumscode:&#9;</translation>
    </message>
    <message id="10085">
        <source>Hardware-Reset</source>
        <translation>Hardware-Reset</translation>
    </message>
    <message id="10086">
        <source>Kein System</source>
        <translation>Kein System</translation>
    </message>
    <message id="10087">
        <source>Keine Rampen</source>
        <translation>Keine Rampen</translation>
    </message>
    <message id="10088">
        <source>Parameter geändert</source>
        <translation>Parameter geändert</translation>
    </message>
    <message id="10089">
        <source>Achse zurücksetzen</source>
        <translation>Achse zurücksetzen</translation>
    </message>
    <message id="10090">
        <source>&amp;Ausgangstreiber</source>
        <translation>&amp;Ausgangstreiber</translation>
    </message>
    <message id="10091">
        <source>&amp;Endstufe</source>
        <translation>&amp;Endstufe</translation>
    </message>
    <message id="10092">
        <source>&amp;Initiatoren</source>
        <translation>&amp;Initiatoren</translation>
    </message>
    <message id="10093">
        <source>&amp;SFI</source>
        <translation>&amp;SFI</translation>
    </message>
    <message id="10094">
        <source>&amp;Gesamte Anlage</source>
        <translation>&amp;Gesamte Anlage</translation>
    </message>
    <message id="10095">
        <source>&amp;Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message id="10096">
        <source>&amp;Update</source>
        <translation>&amp;Update</translation>
    </message>
    <message id="10097">
        <source>Anlagen-Reset</source>
        <translation>Anlagen-Reset</translation>
    </message>
    <message id="10098">
        <source>Gerät wird zurückgesetzt: Bitte warten...</source>
        <translation>Gerät wird zurückgesetzt: Bitte warten...</translation>
    </message>
    <message id="10101">
        <source>Sende SPS-Programme</source>
        <translation>Sende SPS-Programme</translation>
    </message>
    <message id="10102">
        <source>Übertragene Programmnummer:&#9;</source>
        <translation>Übertragene Programmnummer:&#9;</translation>
    </message>
    <message id="10103">
        <source>Schnittstelle Timeout!</source>
        <translation>Schnittstelle Timeout!</translation>
    </message>
    <message id="10104">
        <source>Schnittstelle kann nicht geöffnet werden!</source>
        <translation>Schnittstelle kann nicht geöffnet werden!</translation>
    </message>
    <message id="10105">
        <source>Die aktuellen Parameter werden duch interne Defaultwerte überschrieben</source>
        <translation>Die aktuellen Parameter werden duch interne Defaultwerte überschrieben</translation>
    </message>
    <message id="10106">
        <source>Treiber-Reset erfolgreich durchgeführt</source>
        <translation>Treiber-Reset erfolgreich durchgeführt</translation>
    </message>
    <message id="10107">
        <source>Endstufen-Reset erfolgreich durchgeführt</source>
        <translation>Endstufen-Reset erfolgreich durchgeführt</translation>
    </message>
    <message id="10108">
        <source>Reset der Initiatoren erfolgreich durchgeführt</source>
        <translation>Reset der Initiatoren erfolgreich durchgeführt</translation>
    </message>
    <message id="10109">
        <source>Reset des SFI erfolgreich durchgeführt</source>
        <translation>Reset des SFI erfolgreich durchgeführt</translation>
    </message>
    <message id="10110">
        <source>Sollen die derzeit aktuellen Parameter wirklich fest programmiert werden?</source>
        <translation>Sollen die derzeit aktuellen Parameter wirklich fest programmiert werden?</translation>
    </message>
    <message id="10111">
        <source>Soll der SPS-Bereich wirklich gelöscht werden?</source>
        <translation>Soll der SPS-Bereich wirklich gelöscht werden?</translation>
    </message>
    <message id="10112">
        <source>Sollen die SPS-Zyklen wirklich neu programmiert werden?</source>
        <translation>Sollen die SPS-Zyklen wirklich neu programmiert werden?</translation>
    </message>
    <message id="10113">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programmierung erfolgreich abgeschlossen</translation>
    </message>
    <message id="10114">
        <source>FEHLER: Programmieren fehlgeschlagen!</source>
        <translation>FEHLER: Programmieren fehlgeschlagen!</translation>
    </message>
    <message id="10115">
        <source>: SPS-Funktionalität</source>
        <translation>: SPS-Funktionalität</translation>
    </message>
    <message id="10116">
        <source>Fahrbefehl:</source>
        <translation>Fahrbefehl:</translation>
    </message>
    <message id="10117">
        <source>...nach / ...um:</source>
        <translation>...nach / ...um:</translation>
    </message>
    <message id="10118">
        <source>Offsetfreq.:</source>
        <translation>Offsetfreq.:</translation>
    </message>
    <message id="10119">
        <source>Lauffreq.:</source>
        <translation>Lauffreq.:</translation>
    </message>
    <message id="10120">
        <source>Rampe:</source>
        <translation>Rampe:</translation>
    </message>
    <message id="10121">
        <source>&amp;Kopiere Fahrbefehl</source>
        <translation>&amp;Kopiere Fahrbefehl</translation>
    </message>
    <message id="10122">
        <source>&amp;Programmieren</source>
        <translation>&amp;Programmieren</translation>
    </message>
    <message id="10123">
        <source>! Alles löschen !</source>
        <translation>! Alles löschen !</translation>
    </message>
    <message id="10124">
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message id="10125">
        <source>SPS - Protokollsimulation</source>
        <translation>SPS - Protokollsimulation</translation>
    </message>
    <message id="10126">
        <source>&amp;Anfang</source>
        <translation>&amp;Anfang</translation>
    </message>
    <message id="10127">
        <source>Soll dieser Fahrbefehl wirklich auf die nachfolgenden kopiert werden?</source>
        <translation>Soll dieser Fahrbefehl wirklich auf die nachfolgenden kopiert werden?</translation>
    </message>
    <message id="10128">
        <source>&amp;Ende</source>
        <translation>&amp;Ende</translation>
    </message>
    <message id="10129">
        <source>Programmnummer: </source>
        <translation>Programmnummer: </translation>
    </message>
    <message id="10130">
        <source>: Ein- / Ausgänge</source>
        <translation>: Ein- / Ausgänge</translation>
    </message>
    <message id="10131">
        <source>&amp;Befehl an Achse</source>
        <translation>&amp;Befehl an Achse</translation>
    </message>
    <message id="10132">
        <source>Pro&amp;tokolleinstellungen</source>
        <translation>Pro&amp;tokolleinstellungen</translation>
    </message>
    <message id="10133">
        <source>Empfangene Daten</source>
        <translation>Empfangene Daten</translation>
    </message>
    <message id="10134">
        <source>Anzeige &amp;Datenempfang</source>
        <translation>Anzeige &amp;Datenempfang</translation>
    </message>
    <message id="10135">
        <source>&amp;Sende</source>
        <translation>&amp;Sende</translation>
    </message>
    <message id="10136">
        <source>Sto&amp;p</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message id="10137">
        <source>Nur STX / ETX</source>
        <translation>Nur STX / ETX</translation>
    </message>
    <message id="10138">
        <source>STX / ETX und Prüfsumme</source>
        <translation>STX / ETX und Prüfsumme</translation>
    </message>
    <message id="10139">
        <source>STX / ETX und Adresse</source>
        <translation>STX / ETX und Adresse</translation>
    </message>
    <message id="10140">
        <source>Volles Protokoll</source>
        <translation>Volles Protokoll</translation>
    </message>
    <message id="10141">
        <source>Nur Daten</source>
        <translation>Nur Daten</translation>
    </message>
    <message id="10142">
        <source>Kurzstatus und Daten</source>
        <translation>Kurzstatus und Daten</translation>
    </message>
    <message id="10143">
        <source>Alle Zeichen anzeigen</source>
        <translation>Alle Zeichen anzeigen</translation>
    </message>
    <message id="10144">
        <source>: RS-Monitor</source>
        <translation>: RS-Monitor</translation>
    </message>
    <message id="10145">
        <source>: SFI - Optionen</source>
        <translation>: SFI - Optionen</translation>
    </message>
    <message id="10146">
        <source>Konfiguration</source>
        <translation>Konfiguration</translation>
    </message>
    <message id="10147">
        <source>&amp;Vorzugsrichtung</source>
        <translation>&amp;Vorzugsrichtung</translation>
    </message>
    <message id="10148">
        <source>plus</source>
        <translation>plus</translation>
    </message>
    <message id="10149">
        <source>minus</source>
        <translation>minus</translation>
    </message>
    <message id="10150">
        <source>&amp;Motorschrittzahl</source>
        <translation>&amp;Motorschrittzahl</translation>
    </message>
    <message id="10151">
        <source>&amp;Encoderstrichzahl</source>
        <translation>&amp;Encoderstrichzahl</translation>
    </message>
    <message id="10152">
        <source>&amp;Programmieren</source>
        <translation>&amp;Programmieren</translation>
    </message>
    <message id="10153">
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message id="10154">
        <source>&amp;Aktiviert</source>
        <translation>&amp;Aktiviert</translation>
    </message>
    <message id="10155">
        <source>&amp;Deaktiviert</source>
        <translation>&amp;Deaktiviert</translation>
    </message>
    <message id="10156">
        <source>&amp;Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message id="10157">
        <source>Soll der SFI wirklich neu programmiert werden?</source>
        <translation>Soll der SFI wirklich neu programmiert werden?</translation>
    </message>
    <message id="10158">
        <source>Datei konnte nicht geöffnet werden!</source>
        <translation>Datei konnte nicht geöffnet werden!</translation>
    </message>
    <message id="10159">
        <source>Soll der Reset der </source>
        <translation>Soll der Reset der </translation>
    </message>
    <message id="10160">
        <source> wirklich durchgeführt werden?</source>
        <translation> wirklich durchgeführt werden?</translation>
    </message>
    <message id="10161">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programmierung erfolgreich abgeschlossen</translation>
    </message>
    <message id="10162">
        <source>SFI Programmierung</source>
        <translation>SFI Programmierung</translation>
    </message>
    <message id="10163">
        <source>Programmierung läuft... Bitte warten</source>
        <translation>Programmierung läuft... Bitte warten</translation>
    </message>
    <message id="10164">
        <source>: Rampen programmieren</source>
        <translation>: Rampen programmieren</translation>
    </message>
    <message id="10165">
        <source>Nicht genügend freien Speicher&#13;&#10;für Rampenberechnung</source>
        <translation>Nicht genügend freien Speicher&#13;&#10;für Rampenberechnung</translation>
    </message>
    <message id="10166">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programmierung erfolgreich abgeschlossen</translation>
    </message>
    <message id="10167">
        <source>Programmierung fehlgeschlagen!</source>
        <translation>Programmierung fehlgeschlagen!</translation>
    </message>
    <message id="10168">
        <source>Sende Rampendaten. Bitte warten...                Rampe: </source>
        <translation>Sende Rampendaten. Bitte warten...                Rampe: </translation>
    </message>
    <message id="10169">
        <source>Sollen wirklich die internen Defaultrampen programmiert werden?&#10;&#10;ACHTUNG: Auch der SPS-Bereich wird gelöscht!</source>
        <translation>Sollen wirklich die internen Defaultrampen programmiert werden?&#10;&#10;ACHTUNG: Auch der SPS-Bereich wird gelöscht!</translation>
    </message>
    <message id="10170">
        <source>Zu wenig freier Rampenspeicher im Gerät!</source>
        <translation>Zu wenig freier Rampenspeicher im Gerät!</translation>
    </message>
    <message id="10171">
        <source>ACHTUNG: Auch der SPS-Bereich wird gelöscht!&#13;&#10;&#10;Sollen die ausgewählten Rampen wirklich gelöscht werden?</source>
        <translation>ACHTUNG: Auch der SPS-Bereich wird gelöscht!&#13;&#10;&#10;Sollen die ausgewählten Rampen wirklich gelöscht werden?</translation>
    </message>
    <message id="10172">
        <source>Lese SPS-Sequenzen. Bitte warten...</source>
        <translation>Lese SPS-Sequenzen. Bitte warten...</translation>
    </message>
    <message id="10173">
        <source>Stufe</source>
        <translation>Stufe</translation>
    </message>
    <message id="10174">
        <source>Werte übernehmen</source>
        <translation>Werte übernehmen</translation>
    </message>
    <message id="10175">
        <source>Speichern fehlgeschlagen!&#13;&#10;Daten von der Steuerung konnten nicht empfangen werden</source>
        <translation>Speichern fehlgeschlagen!&#13;&#10;Daten von der Steuerung konnten nicht empfangen werden</translation>
    </message>
    <message id="10180">
        <source>; Veltrax Parameterdatei vom </source>
        <translation>; Veltrax Parameterdatei vom </translation>
    </message>
    <message id="10181">
        <source>; ---------------------------------------------------&#13;&#10;;&#13;&#10;</source>
        <translation>; ---------------------------------------------------&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10182">
        <source>; [Kommentar]&#13;&#10;;&#13;&#10;;&#13;&#10;;&#13;&#10;</source>
        <translation>; [Kommentar]&#13;&#10;;&#13;&#10;;&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10187">
        <source>; [Achsparameter]&#13;&#10;;&#13;&#10;</source>
        <translation>; [Achsparameter]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10188">
        <source>; [Beschleunigungstabelle]&#13;&#10;;&#13;&#10;</source>
        <translation>; [Beschleunigungstabelle]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10189">
        <source>; [bitte nicht ändern   ]:</source>
        <translation>; [bitte nicht ändern   ]:</translation>
    </message>
    <message id="10190">
        <source>; [SPS-Sequenzen]&#13;&#10;;&#13;&#10;</source>
        <translation>; [SPS-Sequenzen]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10191">
        <source>; Rampe </source>
        <translation>; Rampe </translation>
    </message>
    <message id="10192">
        <source>Verschiedene Rampen in Datei und Steuerung.&#13;&#10;Rampen neu programmieren?</source>
        <translation>Verschiedene Rampen in Datei und Steuerung.&#13;&#10;Rampen neu programmieren?</translation>
    </message>
    <message id="10193">
        <source>Keine Adresse ausgewählt!</source>
        <translation>Keine Adresse ausgewählt!</translation>
    </message>
    <message id="10194">
        <source>Achse(n) </source>
        <translation>Achse(n) </translation>
    </message>
    <message id="10195">
        <source> erfolgreich geladen.</source>
        <translation> erfolgreich geladen.</translation>
    </message>
    <message id="10196">
        <source>Achse(n) konnten nicht geladen werden!</source>
        <translation>Achse(n) konnten nicht geladen werden!</translation>
    </message>
    <message id="10200">
        <source>KORMAK: Konfiguration von Achse </source>
        <translation>KORMAK: Konfiguration von Achse </translation>
    </message>
    <message id="10201">
        <source>Geräteabhängige Daten&#13;&#10;&#10;</source>
        <translation>Geräteabhängige Daten&#13;&#10;&#10;</translation>
    </message>
    <message id="10202">
        <source>Programmversion:&#9;&#9;&#9;</source>
        <translation>Programmversion:&#9;&#9;&#9;</translation>
    </message>
    <message id="10203">
        <source>Allgemeine Parameter&#13;&#10;&#10;</source>
        <translation>Allgemeine Parameter&#13;&#10;&#10;</translation>
    </message>
    <message id="10204">
        <source>Start-/Stopfrequenz:&#9;&#9;&#9;</source>
        <translation>Start-/Stopfrequenz:&#9;&#9;&#9;</translation>
    </message>
    <message id="10205">
        <source>Lauffrequenz:&#9;&#9;&#9;&#9;</source>
        <translation>Lauffrequenz:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10206">
        <source>Betriebsart:&#9;&#9;&#9;&#9;</source>
        <translation>Betriebsart:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10207">
        <source>Anlagentyp:&#9;&#9;&#9;&#9;</source>
        <translation>Anlagentyp:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10208">
        <source>Achsbegrenzung:&#9;&#9;&#9;</source>
        <translation>Achsbegrenzung:&#9;&#9;&#9;</translation>
    </message>
    <message id="10209">
        <source>Spindelspiel:&#9;&#9;&#9;&#9;</source>
        <translation>Spindelspiel:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10210">
        <source>Nullpunktoffset vom...&#13;&#10;</source>
        <translation>Nullpunktoffset vom...&#13;&#10;</translation>
    </message>
    <message id="10211">
        <source>...Initiator -:&#9;&#9;&#9;&#9;</source>
        <translation>...Initiator -:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10212">
        <source>...Initiator +:&#9;&#9;&#9;&#9;</source>
        <translation>...Initiator +:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10213">
        <source>Achtelschritte</source>
        <translation>Achtelschritte</translation>
    </message>
    <message id="10214">
        <source>Steuerungstyp:&#9;&#9;&#9;&#9;</source>
        <translation>Steuerungstyp:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10215">
        <source>Stromeinstellungen&#13;&#10;&#10;</source>
        <translation>Stromeinstellungen&#13;&#10;&#10;</translation>
    </message>
    <message id="10216">
        <source>Überhöhungszeit:&#9;&#9;&#9;</source>
        <translation>Überhöhungszeit:&#9;&#9;&#9;</translation>
    </message>
    <message id="10217">
        <source>Stopstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Stopstrom:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10218">
        <source>Laufstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Laufstrom:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10219">
        <source>Booststrom:&#9;&#9;&#9;&#9;</source>
        <translation>Booststrom:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10220">
        <source>Rampenparameter&#13;&#10;&#10;</source>
        <translation>Rampenparameter&#13;&#10;&#10;</translation>
    </message>
    <message id="10221">
        <source>Insgesamt:&#9;&#9;&#9;&#9;</source>
        <translation>Insgesamt:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10222">
        <source>Aktuelle Rampe:&#9;&#9;&#9;</source>
        <translation>Aktuelle Rampe:&#9;&#9;&#9;</translation>
    </message>
    <message id="10223">
        <source>Rampe </source>
        <translation>Rampe </translation>
    </message>
    <message id="10224">
        <source>Fehler beim Erstellen des Ausdrucks!</source>
        <translation>Fehler beim Erstellen des Ausdrucks!</translation>
    </message>
    <message id="10225">
        <source>SPS-Zyklus: </source>
        <translation>SPS-Zyklus: </translation>
    </message>
    <message id="10226">
        <source>Nullpunktoffset:&#9;&#9;&#9;&#9;</source>
        <translation>Nullpunktoffset:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10227">
        <source>Offsetfrequenz:&#9;&#9;&#9;&#9;</source>
        <translation>Offsetfrequenz:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10228">
        <source>Fahrbefehl:&#9;&#9;&#9;&#9;</source>
        <translation>Fahrbefehl:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10229">
        <source>Rampe:&#9;&#9;&#9;&#9;&#9;</source>
        <translation>Rampe:&#9;&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10230">
        <source>Initialisiere über Initiator </source>
        <translation>Initialisiere über Initiator </translation>
    </message>
    <message id="10231">
        <source>Fahre auf Position </source>
        <translation>Fahre auf Position </translation>
    </message>
    <message id="10232">
        <source>Verfahre um </source>
        <translation>Verfahre um </translation>
    </message>
    <message id="10233">
        <source>Freier Lauf in Richtung Initiator </source>
        <translation>Freier Lauf in Richtung Initiator </translation>
    </message>
    <message id="10234">
        <source>Verfahre ein Achtelschritt in Richtung Initiator </source>
        <translation>Verfahre ein Achtelschritt in Richtung Initiator </translation>
    </message>
    <message id="10235">
        <source>Index </source>
        <translation>Index </translation>
    </message>
    <message id="10236">
        <source> (entspricht </source>
        <translation> (entspricht </translation>
    </message>
    <message id="10237">
        <source>KORMAK: Offline Konfiguration</source>
        <translation>KORMAK: Offline Konfiguration</translation>
    </message>
    <message id="10238">
        <source>Keine Daten!&#13;&#10;</source>
        <translation>Keine Daten!&#13;&#10;</translation>
    </message>
    <message id="10239">
        <source>Parameter wurden geändert!&#13;&#10;Trotzdem schließen?</source>
        <translation>Parameter wurden geändert!&#13;&#10;Trotzdem schließen?</translation>
    </message>
    <message id="10240">
        <source>Baudrate erfolgreich umgeschaltet</source>
        <translation>Baudrate erfolgreich umgeschaltet</translation>
    </message>
    <message id="10241">
        <source>Defaultrampen programmieren</source>
        <translation>Defaultrampen programmieren</translation>
    </message>
    <message id="10242">
        <source>Rampen werden programmiert: Bitte warten...</source>
        <translation>Rampen werden programmiert: Bitte warten...</translation>
    </message>
    <message id="10243">
        <source>Bitte nur Zahlen eingeben!</source>
        <translation>Bitte nur Zahlen eingeben!</translation>
    </message>
    <message id="10244">
        <source>Eingabefehler</source>
        <translation>Eingabefehler</translation>
    </message>
    <message id="10245">
        <source>Aktuelle Baudrate</source>
        <translation>Aktuelle Baudrate</translation>
    </message>
    <message id="10246">
        <source>Neue Baudrate</source>
        <translation>Neue Baudrate</translation>
    </message>
    <message id="10247">
        <source>: Baudrate ändern</source>
        <translation>: Baudrate ändern</translation>
    </message>
    <message id="10248">
        <source>Weitere Rampen&#13;&#10;können nicht mehr&#13;&#10;programmiert&#13;&#10;werden</source>
        <translation>Weitere Rampen&#13;&#10;können nicht mehr&#13;&#10;programmiert&#13;&#10;werden</translation>
    </message>
    <message id="10249">
        <source>Markieren Sie&#13;&#10;links die Rampen,&#13;&#10;die gelöscht&#13;&#10;werden sollen&#13;&#10;&#10;&#10;! Achtung !&#13;&#10;&#10;Der SPS-Bereich&#13;&#10;wird immer mit&#13;&#10;gelöscht!</source>
        <translation>Markieren Sie&#13;&#10;links die Rampen,&#13;&#10;die gelöscht&#13;&#10;werden sollen&#13;&#10;&#10;&#10;! Achtung !&#13;&#10;&#10;Der SPS-Bereich&#13;&#10;wird immer mit&#13;&#10;gelöscht!</translation>
    </message>
    <message id="10250">
        <source>&gt;&gt; Keine Rampen ! &lt;&lt;</source>
        <translation>&gt;&gt; Keine Rampen ! &lt;&lt;</translation>
    </message>
    <message id="10251">
        <source>&amp;Löschen !</source>
        <translation>&amp;Löschen !</translation>
    </message>
    <message id="10252">
        <source>Freier Speicher:</source>
        <translation>Freier Speicher:</translation>
    </message>
    <message id="10253">
        <source>&amp;Neue Rampe:</source>
        <translation>&amp;Neue Rampe:</translation>
    </message>
    <message id="10254">
        <source>Programmierte Rampen</source>
        <translation>Programmierte Rampen</translation>
    </message>
    <message id="10255">
        <source>&amp;Berechnen</source>
        <translation>&amp;Berechnen</translation>
    </message>
    <message id="10256">
        <source>...benötigt an&#13;&#10;freiem Speicher:</source>
        <translation>...benötigt an&#13;&#10;freiem Speicher:</translation>
    </message>
    <message id="10257">
        <source>&amp;Interne Rampen</source>
        <translation>&amp;Interne Rampen</translation>
    </message>
    <message id="10258">
        <source>&amp;Lösche Rampe...</source>
        <translation>&amp;Lösche Rampe...</translation>
    </message>
    <message id="10259">
        <source>&amp;Abbruch</source>
        <translation>&amp;Abbruch</translation>
    </message>
    <message id="10260">
        <source>Empfangsbuffer Überlauf!</source>
        <translation>Empfangsbuffer Überlauf!</translation>
    </message>
    <message id="10261">
        <source>Steuerungsparameter wurden geändert!&#13;&#10;Sollen die Parameter gespeichert werden?</source>
        <translation>Steuerungsparameter wurden geändert!&#13;&#10;Sollen die Parameter gespeichert werden?</translation>
    </message>
    <message id="10262">
        <source>Istposition</source>
        <translation>Istposition</translation>
    </message>
    <message id="10263">
        <source>Ü&amp;bertragen</source>
        <translation>Ü&amp;bertragen</translation>
    </message>
    <message id="10264">
        <source>Info über Kormak...</source>
        <translation>Info über Kormak...</translation>
    </message>
    <message id="10265">
        <source>: Erweiterte SPS Funktionalität</source>
        <translation>: Erweiterte SPS Funktionalität</translation>
    </message>
    <message id="10266">
        <source>Pause in ms...</source>
        <translation>Pause in ms...</translation>
    </message>
    <message id="10267">
        <source>Sprungbefehl zu Sequenz...</source>
        <translation>Sprungbefehl zu Sequenz...</translation>
    </message>
    <message id="10268">
        <source>Stopstrom...</source>
        <translation>Stopstrom...</translation>
    </message>
    <message id="10269">
        <source>Laufstrom...</source>
        <translation>Laufstrom...</translation>
    </message>
    <message id="10270">
        <source>Booststrom...</source>
        <translation>Booststrom...</translation>
    </message>
    <message id="10271">
        <source>Überhöhungszeit...</source>
        <translation>Überhöhungszeit...</translation>
    </message>
    <message id="10272">
        <source>Istposition...</source>
        <translation>Istposition...</translation>
    </message>
    <message id="10273">
        <source>Start/Stop Frequenz...</source>
        <translation>Start/Stop Frequenz...</translation>
    </message>
    <message id="10274">
        <source>Lauffrequenz...</source>
        <translation>Lauffrequenz...</translation>
    </message>
    <message id="10275">
        <source>Rampe...</source>
        <translation>Rampe...</translation>
    </message>
    <message id="10276">
        <source>Reset Endstufe</source>
        <translation>Reset Endstufe</translation>
    </message>
    <message id="10277">
        <source>Reset Initiatoren</source>
        <translation>Reset Initiatoren</translation>
    </message>
    <message id="10278">
        <source>Reset Ausgangstreiber</source>
        <translation>Reset Ausgangstreiber</translation>
    </message>
    <message id="10279">
        <source>Reset gesamte Anlage</source>
        <translation>Reset gesamte Anlage</translation>
    </message>
    <message id="10280">
        <source>Reset SFI</source>
        <translation>Reset SFI</translation>
    </message>
    <message id="10281">
        <source>SPS Erw. &gt;&gt;</source>
        <translation>SPS Erw. &gt;&gt;</translation>
    </message>
    <message id="10282">
        <source>Erweiterte SPS Sequenz:&#9;&#9;</source>
        <translation>Erweiterte SPS Sequenz:&#9;&#9;</translation>
    </message>
    <message id="10283">
        <source>Positionszähler setzen auf:&#9;&#9;</source>
        <translation>Positionszähler setzen auf:&#9;&#9;</translation>
    </message>
    <message id="10284">
        <source>Wartezeit in ms:&#9;&#9;&#9;</source>
        <translation>Wartezeit in ms:&#9;&#9;&#9;</translation>
    </message>
    <message id="10285">
        <source>Sprungbefehl zu Sequenz:&#9;&#9;</source>
        <translation>Sprungbefehl zu Sequenz:&#9;&#9;</translation>
    </message>
    <message id="10286">
        <source>Stopstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Stopstrom:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10287">
        <source>Laufstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Laufstrom:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10288">
        <source>Booststrom:&#9;&#9;&#9;&#9;</source>
        <translation>Booststrom:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10289">
        <source>Überhöhungszeit:&#9;&#9;&#9;</source>
        <translation>Überhöhungszeit:&#9;&#9;&#9;</translation>
    </message>
    <message id="10290">
        <source>Reset Endstufe</source>
        <translation>Reset Endstufe</translation>
    </message>
    <message id="10291">
        <source>Reset Initiator</source>
        <translation>Reset Initiator</translation>
    </message>
    <message id="10292">
        <source>Reset Ausgangstreiber</source>
        <translation>Reset Ausgangstreiber</translation>
    </message>
    <message id="10293">
        <source>Reset gesamte Anlage</source>
        <translation>Reset gesamte Anlage</translation>
    </message>
    <message id="10294">
        <source>Reset SFI</source>
        <translation>Reset SFI</translation>
    </message>
    <message id="57344">
        <source>Kormak</source>
        <translation>Kormak</translation>
    </message>
    <message id="57345">
        <source>Bereit</source>
        <translation>Bereit</translation>
    </message>
    <message id="59142">
        <source>Fortschritt</source>
        <translation>Fortschritt</translation>
    </message>
    <message id="61697">
        <source>Das Dokument konnte nicht geöffnet werden.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message id="about.maker">
        <source>Veltrax GmbH&#10;Konfiguration, Test und Programmierung von Schrittmotorsteuerungen</source>
        <translation>Veltrax GmbH&#10;Konfiguration, Test und Programmierung von Schrittmotorsteuerungen</translation>
    </message>
    <message id="axis.notCurrent">
        <source>Nicht aktuell: keine Verbindung zur Achse</source>
        <translation>Nicht aktuell: keine Verbindung zur Achse</translation>
    </message>
    <message id="bar.axes">
        <source>Achsenleiste</source>
        <translation>Achsenleiste</translation>
    </message>
    <message id="baud.lostAtNew">
        <source>Keine Antwort auf %1, aber die Achse antwortet jetzt mit %2 Baud.</source>
        <translation>Keine Antwort auf %1, aber die Achse antwortet jetzt mit %2 Baud.</translation>
    </message>
    <message id="baud.lostAtOld">
        <source>Keine Antwort auf %1; die Achse antwortet weiterhin mit %2 Baud.</source>
        <translation>Keine Antwort auf %1; die Achse antwortet weiterhin mit %2 Baud.</translation>
    </message>
    <message id="baud.lostNowhere">
        <source>Keine Antwort auf %1, und die Achse antwortet weder mit %2 noch mit %3 Baud.</source>
        <translation>Keine Antwort auf %1, und die Achse antwortet weder mit %2 noch mit %3 Baud.</translation>
    </message>
    <message id="button.cancel">
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message id="button.no">
        <source>&amp;Nein</source>
        <translation>&amp;Nein</translation>
    </message>
    <message id="button.ok">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="button.yes">
        <source>&amp;Ja</source>
        <translation>&amp;Ja</translation>
    </message>
    <message id="cli.noReply">
        <source>Keine Antwort von Achse %1 bei %2 Baud.</source>
        <translation>Keine Antwort von Achse %1 bei %2 Baud.</translation>
    </message>
    <message id="file.damaged">
        <source>Die Datei ist beschädigt (%1).&#10;Sie kann nicht in eine Achse geladen werden.</source>
        <translation>Die Datei ist beschädigt (%1).&#10;Sie kann nicht in eine Achse geladen werden.</translation>
    </message>
    <message id="file.damagedLine">
        <source>Zeile %1: „%2“</source>
        <translation>Zeile %1: „%2“</translation>
    </message>
    <message id="file.damagedMissing">
        <source>„%1“ fehlt</source>
        <translation>„%1“ fehlt</translation>
    </message>
    <message id="file.damagedValue">
        <source>Wert „%1“</source>
        <translation>Wert „%1“</translation>
    </message>
    <message id="file.saveChanges">
        <source>Änderungen an %1 speichern?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message id="file.saveFailed">
        <source>Die Datei konnte nicht gespeichert werden:&#10;%1</source>
        <translation>Die Datei konnte nicht gespeichert werden:&#10;%1</translation>
    </message>
    <message id="indicator.caps">
        <source>UF</source>
        <translation>UF</translation>
    </message>
    <message id="indicator.num">
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message id="indicator.scroll">
        <source>RF</source>
        <translation>RF</translation>
    </message>
    <message id="link.accessDenied">
        <source>Keine Zugriffsrechte für %1. Der Benutzer muss Mitglied der Gruppe „%2“ sein, der das Gerät gehört (unter Debian „dialout“), und sich danach neu anmelden.</source>
        <translation>Keine Zugriffsrechte für %1. Der Benutzer muss Mitglied der Gruppe „%2“ sein, der das Gerät gehört (unter Debian „dialout“), und sich danach neu anmelden.</translation>
    </message>
    <message id="link.badNetworkName">
        <source>„%1“ ist kein Netzwerkanschluss: erwartet rfc2217://RECHNER:PORT oder socket://RECHNER:PORT.</source>
        <translation>„%1“ ist kein Netzwerkanschluss: erwartet rfc2217://RECHNER:PORT oder socket://RECHNER:PORT.</translation>
    </message>
    <message id="link.connectTimeout">
        <source>Keine Verbindung zu %1, Port %2: keine Antwort innerhalb von %3 s.</source>
        <translation>Keine Verbindung zu %1, Port %2: keine Antwort innerhalb von %3 s.</translation>
    </message>
    <message id="link.connectionRefused">
        <source>%1 nimmt keine Verbindung an: dort wartet kein Serverdienst.</source>
        <translation>%1 nimmt keine Verbindung an: dort wartet kein Serverdienst.</translation>
    </message>
    <message id="link.gone">
        <source>Keine Verbindung zur Schnittstelle: Es wurde nichts gesendet. Bitte Kabel und Adapter prüfen und die Achse neu verbinden.</source>
        <translation>Keine Verbindung zur Schnittstelle: Es wurde nichts gesendet. Bitte Kabel und Adapter prüfen und die Achse neu verbinden.</translation>
    </message>
    <message id="link.hostNotFound">
        <source>Rechner %1 nicht gefunden.</source>
        <translation>Rechner %1 nicht gefunden.</translation>
    </message>
    <message id="link.networkFailed">
        <source>Die Verbindung zu %1 ist gescheitert.</source>
        <translation>Die Verbindung zu %1 ist gescheitert.</translation>
    </message>
    <message id="link.noRateControl">
        <source>%1 kann die Baudrate nicht einstellen (kein RFC 2217). Mit fester Baudrate: socket://%1</source>
        <translation>%1 kann die Baudrate nicht einstellen (kein RFC 2217). Mit fester Baudrate: socket://%1</translation>
    </message>
    <message id="link.openFailedReason">
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message id="link.ownerOnly">
        <source>Keine Zugriffsrechte für %1: Nur der Besitzer des Geräts darf es öffnen; die Mitgliedschaft in einer Gruppe hilft hier nicht. Der Administrator muss die Rechte des Geräts ändern.</source>
        <translation>Keine Zugriffsrechte für %1: Nur der Besitzer des Geräts darf es öffnen; die Mitgliedschaft in einer Gruppe hilft hier nicht. Der Administrator muss die Rechte des Geräts ändern.</translation>
    </message>
    <message id="link.portInUse">
        <source>%1 wird bereits von einem anderen Programm benutzt.</source>
        <translation>%1 wird bereits von einem anderen Programm benutzt.</translation>
    </message>
    <message id="link.portLost">
        <source>Verbindung zur Schnittstelle verloren! Bitte Kabel und Adapter prüfen.</source>
        <translation>Verbindung zur Schnittstelle verloren! Bitte Kabel und Adapter prüfen.</translation>
    </message>
    <message id="machine.axisFailed">
        <source>Achse %1 wurde nicht wiederhergestellt.</source>
        <translation>Achse %1 wurde nicht wiederhergestellt.</translation>
    </message>
    <message id="machine.backupFailed">
        <source>Achse %1 antwortete, konnte aber nicht gesichert werden; es wurde kein machine.json geschrieben.</source>
        <translation>Achse %1 antwortete, konnte aber nicht gesichert werden; es wurde kein machine.json geschrieben.</translation>
    </message>
    <message id="machine.folderRefused">
        <source>Der Ordner wird nicht wiederhergestellt; es wurde nichts gesendet:</source>
        <translation>Der Ordner wird nicht wiederhergestellt; es wurde nichts gesendet:</translation>
    </message>
    <message id="machine.noFolder">
        <source>Der Ordner kann nicht angelegt werden.</source>
        <translation>Der Ordner kann nicht angelegt werden.</translation>
    </message>
    <message id="machine.notSaved">
        <source>Nicht gesichert: %1. Es wurde kein machine.json geschrieben.</source>
        <translation>Nicht gesichert: %1. Es wurde kein machine.json geschrieben.</translation>
    </message>
    <message id="machine.otherFamily">
        <source>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot;: eine andere Gerätefamilie.</source>
        <translation>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot;: eine andere Gerätefamilie.</translation>
    </message>
    <message id="machine.otherType">
        <source>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot; (dieselbe Familie). Trotzdem laden?</source>
        <translation>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot; (dieselbe Familie). Trotzdem laden?</translation>
    </message>
    <message id="machine.question">
        <source>Diese Achsen mit den Dateien des Ordners überschreiben?</source>
        <translation>Diese Achsen mit den Dateien des Ordners überschreiben?</translation>
    </message>
    <message id="machine.restoreRefused">
        <source>Die Wiederherstellung wurde abgelehnt; es wurde nichts gesendet.</source>
        <translation>Die Wiederherstellung wurde abgelehnt; es wurde nichts gesendet.</translation>
    </message>
    <message id="machine.restored">
        <source>Wiederhergestellt: %1
Nicht wiederhergestellt: %2</source>
        <translation>Wiederhergestellt: %1
Nicht wiederhergestellt: %2</translation>
    </message>
    <message id="machine.restoring">
        <source>Achse %1 wird wiederhergestellt...</source>
        <translation>Achse %1 wird wiederhergestellt...</translation>
    </message>
    <message id="machine.saved">
        <source>Gesichert: %1
Nicht vorhanden: %2</source>
        <translation>Gesichert: %1
Nicht vorhanden: %2</translation>
    </message>
    <message id="machine.saving">
        <source>Achse %1 wird gesichert...</source>
        <translation>Achse %1 wird gesichert...</translation>
    </message>
    <message id="machine.silent">
        <source>Achse %1 antwortet bei keiner Baudrate.</source>
        <translation>Achse %1 antwortet bei keiner Baudrate.</translation>
    </message>
    <message id="menu.32814">
        <source>&amp;Baudrate ändern</source>
        <translation>&amp;Baudrate ändern</translation>
    </message>
    <message id="menu.32817">
        <source>&amp;Drucken&#9;Strg+P</source>
        <translation>&amp;Drucken&#9;Strg+P</translation>
    </message>
    <message id="menu.32829">
        <source>&amp;Deutsch</source>
        <translation>&amp;Deutsch</translation>
    </message>
    <message id="menu.32830">
        <source>&amp;Englisch</source>
        <translation>&amp;Englisch</translation>
    </message>
    <message id="menu.32834">
        <source>&amp;Französisch</source>
        <translation>&amp;Französisch</translation>
    </message>
    <message id="menu.57600">
        <source>&amp;Neu</source>
        <translation>&amp;Neu</translation>
    </message>
    <message id="menu.57601">
        <source>Ö&amp;ffnen...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message id="menu.57602">
        <source>&amp;Schließen</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message id="menu.57603">
        <source>&amp;Speichern</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message id="menu.57604">
        <source>Speichern &amp;unter...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message id="menu.57616">
        <source>Zuletzt geöffnete Datei</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message id="menu.57649">
        <source>&amp;Symbole anordnen</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message id="menu.57650">
        <source>Ü&amp;berlappend</source>
        <translation>Ü&amp;berlappend</translation>
    </message>
    <message id="menu.57651">
        <source>&amp;Nebeneinander</source>
        <translation>&amp;Nebeneinander</translation>
    </message>
    <message id="menu.57664">
        <source>&amp;Info über Kormak...</source>
        <translation>&amp;Info über Kormak...</translation>
    </message>
    <message id="menu.57665">
        <source>&amp;Beenden</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message id="menu.59392">
        <source>&amp;Symbolleiste</source>
        <translation>&amp;Symbolleiste</translation>
    </message>
    <message id="menu.59393">
        <source>Status&amp;leiste</source>
        <translation>Status&amp;leiste</translation>
    </message>
    <message id="menu.axisToolBar">
        <source>&amp;Achsen-Symbolleiste</source>
        <translation>&amp;Achsen-Symbolleiste</translation>
    </message>
    <message id="menu.file">
        <source>&amp;Datei</source>
        <translation>&amp;Datei</translation>
    </message>
    <message id="menu.help">
        <source>&amp;Hilfe</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message id="menu.language">
        <source>&amp;Sprache</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message id="menu.options">
        <source>&amp;Optionen</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message id="menu.readBack">
        <source>Nach dem Übertragen zurücklesen</source>
        <translation>Nach dem Übertragen zurücklesen</translation>
    </message>
    <message id="menu.restoreMachine">
        <source>Maschine wiederherstellen...</source>
        <translation>Maschine wiederherstellen...</translation>
    </message>
    <message id="menu.saveAllAxes">
        <source>Alle Achsen sichern...</source>
        <translation>Alle Achsen sichern...</translation>
    </message>
    <message id="menu.trace">
        <source>Live-&amp;Verlauf...</source>
        <translation>Live-&amp;Verlauf...</translation>
    </message>
    <message id="menu.view">
        <source>&amp;Ansicht</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message id="menu.window">
        <source>&amp;Fenster</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message id="plc.eraseAnsweredNo">
        <source>Die Steuerung hat das Löschen des SPS-Bereichs mit „NO“ abgelehnt; kein Slot wurde geschrieben.</source>
        <translation>Die Steuerung hat das Löschen des SPS-Bereichs mit „NO“ abgelehnt; kein Slot wurde geschrieben.</translation>
    </message>
    <message id="plc.listingLine">
        <source>Zeile %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message id="plc.listingNoSlot">
        <source>Die Datei enthält keine Slotzeile („NN Text“, „EW“ oder „WU“) und ist kein Abzug eines leeren Bereichs. Es wurde nichts gesendet.</source>
        <translation>Die Datei enthält keine Slotzeile („NN Text“, „EW“ oder „WU“) und ist kein Abzug eines leeren Bereichs. Es wurde nichts gesendet.</translation>
    </message>
    <message id="plc.listingNotSlotLine">
        <source>weder eine Slotzeile („NN Text“) noch eine Zeile einer Parameterdatei: „%1“. Es wurde nichts gesendet.</source>
        <translation>weder eine Slotzeile („NN Text“) noch eine Zeile einer Parameterdatei: „%1“. Es wurde nichts gesendet.</translation>
    </message>
    <message id="plc.listingSlotTwice">
        <source>Slot %1 steht schon in Zeile %2. Es wurde nichts gesendet.</source>
        <translation>Slot %1 steht schon in Zeile %2. Es wurde nichts gesendet.</translation>
    </message>
    <message id="plc.listingTooLong">
        <source>Der Text von Slot %1 hat %2 Zeichen; ein Rahmen trägt höchstens %3. Es wurde nichts gesendet.</source>
        <translation>Der Text von Slot %1 hat %2 Zeichen; ein Rahmen trägt höchstens %3. Es wurde nichts gesendet.</translation>
    </message>
    <message id="plc.replaceProgram">
        <source>Slot %1 hält ein Zyklusprogramm. Soll es durch einen Schritt der erweiterten Sequenz ersetzt werden?</source>
        <translation>Slot %1 hält ein Zyklusprogramm. Soll es durch einen Schritt der erweiterten Sequenz ersetzt werden?</translation>
    </message>
    <message id="plc.replaceStep">
        <source>Slot %1 hält einen Schritt der erweiterten Sequenz. Soll er durch ein Zyklusprogramm ersetzt werden?</source>
        <translation>Slot %1 hält einen Schritt der erweiterten Sequenz. Soll er durch ein Zyklusprogramm ersetzt werden?</translation>
    </message>
    <message id="plc.slotAnsweredNo">
        <source>Slot %1 wurde nicht gespeichert: die Steuerung antwortete „NO“. Die folgenden Slots wurden nicht geschrieben.</source>
        <translation>Slot %1 wurde nicht gespeichert: die Steuerung antwortete „NO“. Die folgenden Slots wurden nicht geschrieben.</translation>
    </message>
    <message id="plc.slotDiffers">
        <source>Slot %1 hält nach dem Programmieren nicht den gesendeten Text.</source>
        <translation>Slot %1 hält nach dem Programmieren nicht den gesendeten Text.</translation>
    </message>
    <message id="plc.slotRefused">
        <source>Slot %1 wurde abgelehnt: %2</source>
        <translation>Slot %1 wurde abgelehnt: %2</translation>
    </message>
    <message id="plc.takenByProgram">
        <source>(belegt: Zyklusprogramm)</source>
        <translation>(belegt: Zyklusprogramm)</translation>
    </message>
    <message id="plc.takenByStep">
        <source>(belegt: Schritt einer Sequenz)</source>
        <translation>(belegt: Schritt einer Sequenz)</translation>
    </message>
    <message id="plcext.badJump">
        <source>Sequenz %1: Das Sprungziel ist keine Hexadezimalzahl. Der Testlauf wurde beendet.</source>
        <translation>Sequenz %1: Das Sprungziel ist keine Hexadezimalzahl. Der Testlauf wurde beendet.</translation>
    </message>
    <message id="plcext.jumpRange">
        <source>Das Sprungziel muss eine Sequenznummer von 0 bis 255 sein.</source>
        <translation>Das Sprungziel muss eine Sequenznummer von 0 bis 255 sein.</translation>
    </message>
    <message id="ramp.axisFrequency">
        <source>Frequenz [Hz]</source>
        <translation>Frequenz [Hz]</translation>
    </message>
    <message id="ramp.axisTime">
        <source>Zeit [s]</source>
        <translation>Zeit [s]</translation>
    </message>
    <message id="ramp.curveEntry">
        <source>%1: %2 Hz/s, berechnet: %3 s bis %4 Hz</source>
        <translation>%1: %2 Hz/s, berechnet: %3 s bis %4 Hz</translation>
    </message>
    <message id="ramp.curveName">
        <source>Rampe %1</source>
        <translation>Rampe %1</translation>
    </message>
    <message id="ramp.curveNewName">
        <source>Neue Rampe</source>
        <translation>Neue Rampe</translation>
    </message>
    <message id="ramp.curveNotComputable">
        <source>%1: %2 Hz/s, nicht berechenbar</source>
        <translation>%1: %2 Hz/s, nicht berechenbar</translation>
    </message>
    <message id="ramp.curves">
        <source>&amp;Kurven &gt;&gt;</source>
        <translation>&amp;Kurven &gt;&gt;</translation>
    </message>
    <message id="ramp.curvesNote">
        <source>Vom Programm aus Takt und Maximalfrequenz der Achse berechnet, wie es Rampen schreibt; die internen Rampen schreibt die Steuerung selbst.</source>
        <translation>Vom Programm aus Takt und Maximalfrequenz der Achse berechnet, wie es Rampen schreibt; die internen Rampen schreibt die Steuerung selbst.</translation>
    </message>
    <message id="ramp.curvesTitle">
        <source>Rampenkurven (berechnet)</source>
        <translation>Rampenkurven (berechnet)</translation>
    </message>
    <message id="ramp.slopeTooLarge">
        <source>Die Rampe ist zu steil! Sie muss unter 6553500 Hz/s liegen.</source>
        <translation>Die Rampe ist zu steil! Sie muss unter 6553500 Hz/s liegen.</translation>
    </message>
    <message id="report.damaged">
        <source>Achtung: die Datei ist beschädigt (%1).</source>
        <translation>Achtung: die Datei ist beschädigt (%1).</translation>
    </message>
    <message id="report.exportCaption">
        <source>Bericht als PDF exportieren</source>
        <translation>Bericht als PDF exportieren</translation>
    </message>
    <message id="report.menuExport">
        <source>Als PD&amp;F exportieren…</source>
        <translation>Als PD&amp;F exportieren…</translation>
    </message>
    <message id="report.menuPreview">
        <source>Druck&amp;vorschau</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message id="report.pageOf">
        <source>Seite %1 von %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message id="report.pdfAxisName">
        <source>Achse_%1</source>
        <translation>Achse_%1</translation>
    </message>
    <message id="report.pdfWritten">
        <source>Bericht geschrieben: %1</source>
        <translation>Bericht geschrieben: %1</translation>
    </message>
    <message id="report.writeFailed">
        <source>Die Datei %1 kann nicht geschrieben werden: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message id="rsmon.controlCharacter">
        <source>Nicht gesendet: Der Befehl enthält das Steuerzeichen %1 (Zeichen %2). Ein Befehl ist eine einzige Zeile ohne Tabulator, STX oder ETX.</source>
        <translation>Nicht gesendet: Der Befehl enthält das Steuerzeichen %1 (Zeichen %2). Ein Befehl ist eine einzige Zeile ohne Tabulator, STX oder ETX.</translation>
    </message>
    <message id="rsmon.hideLog">
        <source>&lt;&lt; Sitzungsprotoko&amp;ll</source>
        <translation>&lt;&lt; Sitzungsprotoko&amp;ll</translation>
    </message>
    <message id="rsmon.invalidUtf8">
        <source>Nicht gesendet: Die Zeile ist kein gültiges UTF-8 (Byte 0x%1 an Stelle %2).</source>
        <translation>Nicht gesendet: Die Zeile ist kein gültiges UTF-8 (Byte 0x%1 an Stelle %2).</translation>
    </message>
    <message id="rsmon.logDiscarded">
        <source>Vor dem Senden verworfen (ungelesener Empfang):</source>
        <translation>Vor dem Senden verworfen (ungelesener Empfang):</translation>
    </message>
    <message id="rsmon.notCodePage">
        <source>Nicht gesendet: Das Zeichen „%1“ (%2) gibt es in Codepage 1252 nicht; die Achse erhielte „?“.</source>
        <translation>Nicht gesendet: Das Zeichen „%1“ (%2) gibt es in Codepage 1252 nicht; die Achse erhielte „?“.</translation>
    </message>
    <message id="rsmon.saveLog">
        <source>Protokoll speicher&amp;n...</source>
        <translation>Protokoll speicher&amp;n...</translation>
    </message>
    <message id="rsmon.showLog">
        <source>Sitzungsprotoko&amp;ll &gt;&gt;</source>
        <translation>Sitzungsprotoko&amp;ll &gt;&gt;</translation>
    </message>
    <message id="rsmon.tooLong">
        <source>Nicht gesendet: Ein Befehl hat höchstens %1 Zeichen, dieser hat %2.</source>
        <translation>Nicht gesendet: Ein Befehl hat höchstens %1 Zeichen, dieser hat %2.</translation>
    </message>
    <message id="sfi.chooseFirst">
        <source>Die Karte meldet keine Konfiguration. Wählen Sie zuerst Vorzugsrichtung, Motorschrittzahl und Encoderstrichzahl: Sie bestimmen die Programmdatei.</source>
        <translation>Die Karte meldet keine Konfiguration. Wählen Sie zuerst Vorzugsrichtung, Motorschrittzahl und Encoderstrichzahl: Sie bestimmen die Programmdatei.</translation>
    </message>
    <message id="sfi.damagedFile">
        <source>Die Programmdatei %1 ist beschädigt (Zeile %2): ein Satz ist kein Intel-HEX-Satz, ist abgeschnitten oder hat eine falsche Prüfsumme. Es wurde nichts an die Karte gesendet.</source>
        <translation>Die Programmdatei %1 ist beschädigt (Zeile %2): ein Satz ist kein Intel-HEX-Satz, ist abgeschnitten oder hat eine falsche Prüfsumme. Es wurde nichts an die Karte gesendet.</translation>
    </message>
    <message id="sfi.noRecords">
        <source>Die Programmdatei %1 enthält keinen 16-Byte-Datensatz (&quot;:10&quot;). Es wurde nichts an die Karte gesendet.</source>
        <translation>Die Programmdatei %1 enthält keinen 16-Byte-Datensatz (&quot;:10&quot;). Es wurde nichts an die Karte gesendet.</translation>
    </message>
    <message id="sfi.notStored">
        <source>Die Programmierung wurde abgebrochen, bevor das Programm gespeichert wurde (&quot;WX&quot; wurde nicht gesendet). Das Programm der Karte ist in einem unbekannten Zustand: Programmieren Sie die Karte erneut.</source>
        <translation>Die Programmierung wurde abgebrochen, bevor das Programm gespeichert wurde (&quot;WX&quot; wurde nicht gesendet). Das Programm der Karte ist in einem unbekannten Zustand: Programmieren Sie die Karte erneut.</translation>
    </message>
    <message id="sfi.resetQuestion">
        <source>Soll die SFI-Karte von Achse %1 wirklich zurückgesetzt werden?</source>
        <translation>Soll die SFI-Karte von Achse %1 wirklich zurückgesetzt werden?</translation>
    </message>
    <message id="status.32813">
        <source>Druckt die aktive Ansicht.</source>
        <translation>Druckt die aktive Ansicht.</translation>
    </message>
    <message id="status.32814">
        <source>Stellt die Achse und die Schnittstelle auf eine andere Baudrate um.</source>
        <translation>Stellt die Achse und die Schnittstelle auf eine andere Baudrate um.</translation>
    </message>
    <message id="status.32817">
        <source>Druckt die aktive Ansicht.</source>
        <translation>Druckt die aktive Ansicht.</translation>
    </message>
    <message id="status.32829">
        <source>Schaltet die Bedienoberfläche auf Deutsch um.</source>
        <translation>Schaltet die Bedienoberfläche auf Deutsch um.</translation>
    </message>
    <message id="status.32830">
        <source>Schaltet die Bedienoberfläche auf Englisch um.</source>
        <translation>Schaltet die Bedienoberfläche auf Englisch um.</translation>
    </message>
    <message id="status.32834">
        <source>Schaltet die Bedienoberfläche auf Französisch um.</source>
        <translation>Schaltet die Bedienoberfläche auf Französisch um.</translation>
    </message>
    <message id="status.57600">
        <source>Erstellt eine neue Offline-Konfiguration.</source>
        <translation>Erstellt eine neue Offline-Konfiguration.</translation>
    </message>
    <message id="status.57601">
        <source>Öffnet eine Parameterdatei.</source>
        <translation>Öffnet eine Parameterdatei.</translation>
    </message>
    <message id="status.57602">
        <source>Schließt das aktive Dokument.</source>
        <translation>Schließt das aktive Dokument.</translation>
    </message>
    <message id="status.57603">
        <source>Speichert das aktive Dokument.</source>
        <translation>Speichert das aktive Dokument.</translation>
    </message>
    <message id="status.57604">
        <source>Speichert das aktive Dokument unter einem neuen Namen.</source>
        <translation>Speichert das aktive Dokument unter einem neuen Namen.</translation>
    </message>
    <message id="status.57616">
        <source>Öffnet diese Parameterdatei.</source>
        <translation>Öffnet diese Parameterdatei.</translation>
    </message>
    <message id="status.57649">
        <source>Ordnet die Fenstersymbole an.</source>
        <translation>Ordnet die Fenstersymbole an.</translation>
    </message>
    <message id="status.57650">
        <source>Ordnet die Fenster überlappend an.</source>
        <translation>Ordnet die Fenster überlappend an.</translation>
    </message>
    <message id="status.57651">
        <source>Ordnet die Fenster nebeneinander an.</source>
        <translation>Ordnet die Fenster nebeneinander an.</translation>
    </message>
    <message id="status.57664">
        <source>Zeigt Programminformationen und die Versionsnummer an.</source>
        <translation>Zeigt Programminformationen und die Versionsnummer an.</translation>
    </message>
    <message id="status.57665">
        <source>Beendet das Programm.</source>
        <translation>Beendet das Programm.</translation>
    </message>
    <message id="status.59392">
        <source>Blendet die Symbolleiste ein oder aus.</source>
        <translation>Blendet die Symbolleiste ein oder aus.</translation>
    </message>
    <message id="status.59393">
        <source>Blendet die Statusleiste ein oder aus.</source>
        <translation>Blendet die Statusleiste ein oder aus.</translation>
    </message>
    <message id="tip.32813">
        <source>Drucken</source>
        <translation>Drucken</translation>
    </message>
    <message id="tip.57600">
        <source>Neu</source>
        <translation>Neu</translation>
    </message>
    <message id="tip.57601">
        <source>Öffnen</source>
        <translation>Öffnen</translation>
    </message>
    <message id="tip.57603">
        <source>Speichern</source>
        <translation>Speichern</translation>
    </message>
    <message id="tip.57664">
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message id="tip.axis">
        <source>Verbinden mit Achse </source>
        <translation>Verbinden mit Achse </translation>
    </message>
    <message id="toolbar.axes">
        <source>Achsen</source>
        <translation>Achsen</translation>
    </message>
    <message id="toolbar.main">
        <source>Symbolleiste</source>
        <translation>Symbolleiste</translation>
    </message>
    <message id="trace.axisPosition">
        <source>Position [1/8 Schritt]</source>
        <translation>Position [1/8 Schritt]</translation>
    </message>
    <message id="trace.axisSpeed">
        <source>Geschwindigkeit [1/8 Schritt/s]</source>
        <translation>Geschwindigkeit [1/8 Schritt/s]</translation>
    </message>
    <message id="trace.axisTime">
        <source>Zeit [s]</source>
        <translation>Zeit [s]</translation>
    </message>
    <message id="trace.clear">
        <source>&amp;Leeren</source>
        <translation>&amp;Leeren</translation>
    </message>
    <message id="trace.moveStarted">
        <source>Fahrt vom Panel gestartet</source>
        <translation>Fahrt vom Panel gestartet</translation>
    </message>
    <message id="trace.note">
        <source>Position aus der Statusabfrage des aktiven Panels, nur solange der Motor läuft; Geschwindigkeit aus der Differenz aufeinanderfolgender Positionen. Die letzte Minute.</source>
        <translation>Position aus der Statusabfrage des aktiven Panels, nur solange der Motor läuft; Geschwindigkeit aus der Differenz aufeinanderfolgender Positionen. Die letzte Minute.</translation>
    </message>
    <message id="trace.pause">
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message id="trace.position">
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message id="trace.saveCsv">
        <source>Als CS&amp;V speichern...</source>
        <translation>Als CS&amp;V speichern...</translation>
    </message>
    <message id="trace.savePng">
        <source>Als P&amp;NG speichern...</source>
        <translation>Als P&amp;NG speichern...</translation>
    </message>
    <message id="trace.speed">
        <source>Geschwindigkeit</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message id="trace.title">
        <source>Live-Verlauf: %1</source>
        <translation>Live-Verlauf: %1</translation>
    </message>
    <message id="transfer.axisValue">
        <source>Achse</source>
        <translation>Achse</translation>
    </message>
    <message id="transfer.compareAxis">
        <source>Achse:</source>
        <translation>Achse:</translation>
    </message>
    <message id="transfer.compareButton">
        <source>&amp;Vergleichen</source>
        <translation>&amp;Vergleichen</translation>
    </message>
    <message id="transfer.compareMenu">
        <source>Mit &amp;Achse vergleichen...</source>
        <translation>Mit &amp;Achse vergleichen...</translation>
    </message>
    <message id="transfer.compareTitle">
        <source>Vergleich mit Achse</source>
        <translation>Vergleich mit Achse</translation>
    </message>
    <message id="transfer.damaged">
        <source>Die Datei ist beschädigt (%1).&#10;Es wurde nichts gesendet.</source>
        <translation>Die Datei ist beschädigt (%1).&#10;Es wurde nichts gesendet.</translation>
    </message>
    <message id="transfer.differences">
        <source>%1 Unterschied(e) (markiert).</source>
        <translation>%1 Unterschied(e) (markiert).</translation>
    </message>
    <message id="transfer.fileValue">
        <source>Datei</source>
        <translation>Datei</translation>
    </message>
    <message id="transfer.noDifferences">
        <source>Keine Unterschiede: eine Übertragung würde nichts ändern.</source>
        <translation>Keine Unterschiede: eine Übertragung würde nichts ändern.</translation>
    </message>
    <message id="transfer.notSent">
        <source>(wird nicht gesendet)</source>
        <translation>(wird nicht gesendet)</translation>
    </message>
    <message id="transfer.otherFamily">
        <source>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Trotzdem laden?</source>
        <translation>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Trotzdem laden?</translation>
    </message>
    <message id="transfer.otherFamilyRefused">
        <source>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Es wurde nichts gesendet.</source>
        <translation>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Es wurde nichts gesendet.</translation>
    </message>
    <message id="transfer.parameter">
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message id="transfer.plcDiffer">
        <source>SPS-Bereiche: verschieden in Slot %1</source>
        <translation>SPS-Bereiche: verschieden in Slot %1</translation>
    </message>
    <message id="transfer.plcDifferMore">
        <source>SPS-Bereiche: verschieden in %1 Slots (%2 …)</source>
        <translation>SPS-Bereiche: verschieden in %1 Slots (%2 …)</translation>
    </message>
    <message id="transfer.plcEqual">
        <source>SPS-Bereiche: gleich</source>
        <translation>SPS-Bereiche: gleich</translation>
    </message>
    <message id="transfer.rampsDiffer">
        <source>Achse %1: verschiedene Rampen in Datei und Steuerung.&#10;Rampen neu programmieren?</source>
        <translation>Achse %1: verschiedene Rampen in Datei und Steuerung.&#10;Rampen neu programmieren?</translation>
    </message>
    <message id="transfer.readBackDiffers">
        <source>Achse %1 weicht nach dem Laden ab: %2</source>
        <translation>Achse %1 weicht nach dem Laden ab: %2</translation>
    </message>
    <message id="transfer.readBackFailed">
        <source>Achse %1 konnte nicht zurückgelesen werden.</source>
        <translation>Achse %1 konnte nicht zurückgelesen werden.</translation>
    </message>
    <message id="transfer.refused">
        <source>Achse %1 hat %2 abgelehnt: %3</source>
        <translation>Achse %1 hat %2 abgelehnt: %3</translation>
    </message>
    <message id="transfer.slot">
        <source>SPS-Slot</source>
        <translation>SPS-Slot</translation>
    </message>
    <message id="transfer.tablesDiffer">
        <source>Beschleunigungstabellen: verschieden</source>
        <translation>Beschleunigungstabellen: verschieden</translation>
    </message>
    <message id="transfer.tablesEqual">
        <source>Beschleunigungstabellen: gleich</source>
        <translation>Beschleunigungstabellen: gleich</translation>
    </message>
    <message id="transfer.unread">
        <source>Die Achse konnte nicht vollständig gelesen werden.</source>
        <translation>Die Achse konnte nicht vollständig gelesen werden.</translation>
    </message>
</context>
</TS>
