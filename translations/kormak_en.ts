<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>Kormak</name>
    <message id="129">
        <source>&#10;Kormak&#10;Kormak&#10;Kormak Files (*.OPM)&#10;.OPM&#10;Kormak.Document&#10;Kormak.Document</source>
        <translation>&#10;Kormak&#10;Kormak&#10;Kormak Files (*.OPM)&#10;.OPM&#10;Kormak.Document&#10;Kormak.Document</translation>
    </message>
    <message id="10000">
        <source>Achse </source>
        <translation>Axe </translation>
    </message>
    <message id="10001">
        <source>Fahrb&amp;efehle (bzgl. 1/8-Schritt)</source>
        <translation>Motion comman&amp;ds (1/8 step)</translation>
    </message>
    <message id="10002">
        <source>Parameter (bzgl. Vollschritt)</source>
        <translation>Parameters (full step)</translation>
    </message>
    <message id="10003">
        <source>St&amp;art-/Stopfr.:</source>
        <translation>St&amp;art/stop freq.:</translation>
    </message>
    <message id="10004">
        <source>Lauffre&amp;quenz:</source>
        <translation>Run fre&amp;quency:</translation>
    </message>
    <message id="10005">
        <source>Ra&amp;mpe:</source>
        <translation>Ra&amp;mp:</translation>
    </message>
    <message id="10006">
        <source>Anlagent&amp;yp:</source>
        <translation>Device t&amp;ype:</translation>
    </message>
    <message id="10007">
        <source>&amp;Betriebsart:</source>
        <translation>Operation m&amp;ode:</translation>
    </message>
    <message id="10008">
        <source>Streckenregister (bzgl. 1/8-Schritt)</source>
        <translation>Position registers (1/8 step)</translation>
    </message>
    <message id="10009">
        <source>Aktuelle &amp;Istposition:</source>
        <translation>Actual pos&amp;ition:</translation>
    </message>
    <message id="10010">
        <source>Achsenbegrenz&amp;ung:</source>
        <translation>Axis &amp;limit:</translation>
    </message>
    <message id="10011">
        <source>Spie&amp;lausgleich:</source>
        <translation>&amp;Backlash compensation:</translation>
    </message>
    <message id="10012">
        <source>Nullpunktoffset&#13;&#10;vom Initiator -</source>
        <translation>Zero point offset&#13;&#10;from initiator -</translation>
    </message>
    <message id="10013">
        <source>Nullpunktoffset&#13;&#10;vom Initiator +</source>
        <translation>Zero point offset&#13;&#10;from initiator +</translation>
    </message>
    <message id="10014">
        <source>Achsen-Kurzstatus</source>
        <translation>Axis short status</translation>
    </message>
    <message id="10015">
        <source>Digital - I/O</source>
        <translation>Digital - I/O</translation>
    </message>
    <message id="10016">
        <source>Achse pro&amp;grammieren</source>
        <translation>Pro&amp;gram axis</translation>
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
        <translation>Curr&amp;ent &gt;&gt;</translation>
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
        <translation>Ramps &gt;&gt;</translation>
    </message>
    <message id="10024">
        <source>SPS &gt;&gt;</source>
        <translation>PLC &gt;&gt;</translation>
    </message>
    <message id="10025">
        <source>Akt. Parameter speichern</source>
        <translation>Aktual parameters</translation>
    </message>
    <message id="10027">
        <source>Optionale &amp;Zusatzkarte &gt;&gt;</source>
        <translation>Optional extension &amp;card &gt;&gt;</translation>
    </message>
    <message id="10028">
        <source>RS-Mo&amp;nitor &gt;&gt;</source>
        <translation>RS mo&amp;nitor &gt;&gt;</translation>
    </message>
    <message id="10030">
        <source>S&amp;chließen</source>
        <translation>E&amp;xit</translation>
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
        <translation>Motor runs</translation>
    </message>
    <message id="10034">
        <source>Fehler: SFI</source>
        <translation>Error: SFI</translation>
    </message>
    <message id="10035">
        <source>Fehler: Endstufe</source>
        <translation>Error: Power stage</translation>
    </message>
    <message id="10036">
        <source>Sonstiger Fehler</source>
        <translation>Other error</translation>
    </message>
    <message id="10037">
        <source>Hardware-Reset (Watchdog?)</source>
        <translation>Hardware-Reset (Watchdog?)</translation>
    </message>
    <message id="10038">
        <source>Initialisiere über Initiator +</source>
        <translation>Initialize via initiator +</translation>
    </message>
    <message id="10039">
        <source>Initialisiere über Initiator -</source>
        <translation>Initialize via initiator -</translation>
    </message>
    <message id="10040">
        <source>Positioniere absolut...</source>
        <translation>Position absolut...</translation>
    </message>
    <message id="10041">
        <source>Verfahre relativ...</source>
        <translation>Go relative...</translation>
    </message>
    <message id="10042">
        <source>Freier Lauf Richtung +</source>
        <translation>Free running dir. +</translation>
    </message>
    <message id="10043">
        <source>Freier Lauf Richtung -</source>
        <translation>Free running dir. -</translation>
    </message>
    <message id="10044">
        <source>Ein Schritt Richtung +</source>
        <translation>A step dir. +</translation>
    </message>
    <message id="10045">
        <source>Ein Schritt Richtung -</source>
        <translation>A step dir. -</translation>
    </message>
    <message id="10046">
        <source>&gt;&gt;&gt; nicht belegt &lt;&lt;&lt;</source>
        <translation>&gt;&gt;&gt;  not used  &lt;&lt;&lt;</translation>
    </message>
    <message id="10047">
        <source>Rotatorisch</source>
        <translation>Rotatory</translation>
    </message>
    <message id="10048">
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message id="10049">
        <source>PC-Anschluss</source>
        <translation>PC connection</translation>
    </message>
    <message id="10050">
        <source>SPS-Modus</source>
        <translation>PLC mode</translation>
    </message>
    <message id="10052">
        <source>&amp;Schnittstelle</source>
        <translation>&amp;Interface</translation>
    </message>
    <message id="10053">
        <source>Achsen</source>
        <translation>Axes</translation>
    </message>
    <message id="10054">
        <source>[vohandene]</source>
        <translation>[existing]</translation>
    </message>
    <message id="10056">
        <source>&amp;Stopstrom</source>
        <translation>&amp;Stop current</translation>
    </message>
    <message id="10057">
        <source>&amp;Laufstrom</source>
        <translation>&amp;Run current</translation>
    </message>
    <message id="10058">
        <source>&amp;Booststrom</source>
        <translation>&amp;Boost current</translation>
    </message>
    <message id="10059">
        <source>Überhöhungs&amp;zeit</source>
        <translation>Recovery &amp;time</translation>
    </message>
    <message id="10060">
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message id="10061">
        <source>: Achsen - Gesamtstatus</source>
        <translation>: Axis - extended status</translation>
    </message>
    <message id="10062">
        <source>Motor läuft</source>
        <translation>Motor runs</translation>
    </message>
    <message id="10063">
        <source>Echter freier Lauf aktiv</source>
        <translation>Real free running active</translation>
    </message>
    <message id="10064">
        <source>Initialisierung läuft</source>
        <translation>Initialization runs</translation>
    </message>
    <message id="10065">
        <source>Initialisierung erfolgreich</source>
        <translation>Initialization successful</translation>
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
        <translation>Error: Output driver</translation>
    </message>
    <message id="10069">
        <source>Fehler: Endstufe</source>
        <translation>Error: Power stage</translation>
    </message>
    <message id="10070">
        <source>Fehler: Initiatoren</source>
        <translation>Error: Initiators</translation>
    </message>
    <message id="10071">
        <source>Fehler: SFI</source>
        <translation>Error: SFI</translation>
    </message>
    <message id="10072">
        <source>Vorwarnung: Temperatur</source>
        <translation>Adv. warning: temperature</translation>
    </message>
    <message id="10073">
        <source>Taktsperre aktiv!</source>
        <translation>Pulse lock out active!</translation>
    </message>
    <message id="10074">
        <source>Empfangsfehler Achse</source>
        <translation>Receivig error axis</translation>
    </message>
    <message id="10075">
        <source>Speicherüberlauf</source>
        <translation>Memory overflow</translation>
    </message>
    <message id="10076">
        <source>Paritätsfehler</source>
        <translation>Error parity</translation>
    </message>
    <message id="10077">
        <source>Prüfsummenfehler</source>
        <translation>Error checksum</translation>
    </message>
    <message id="10078">
        <source>Befehl gerade ungültig</source>
        <translation>Command is just invalid</translation>
    </message>
    <message id="10079">
        <source>Unbekannter Befehl</source>
        <translation>Unknown command</translation>
    </message>
    <message id="10080">
        <source>Parameterwert unzulässig</source>
        <translation>Parameter value incorrect</translation>
    </message>
    <message id="10081">
        <source>Statuscode:&#9;</source>
        <translation>Status code:&#9;</translation>
    </message>
    <message id="10082">
        <source>Bioscode:&#9;</source>
        <translation>Bios code:&#9;</translation>
    </message>
    <message id="10083">
        <source>Systemcode:&#9;</source>
        <translation>System code:&#9;</translation>
    </message>
    <message id="10084">
        <source>Datumscode:&#9;</source>
        <translation>Date code:&#9;</translation>
    </message>
    <message id="10085">
        <source>Hardware-Reset</source>
        <translation>Hardware reset</translation>
    </message>
    <message id="10086">
        <source>Kein System</source>
        <translation>No system</translation>
    </message>
    <message id="10087">
        <source>Keine Rampen</source>
        <translation>No ramps</translation>
    </message>
    <message id="10088">
        <source>Parameter geändert</source>
        <translation>Parameter changed</translation>
    </message>
    <message id="10089">
        <source>Achse zurücksetzen</source>
        <translation>Reset axe</translation>
    </message>
    <message id="10090">
        <source>&amp;Ausgangstreiber</source>
        <translation>&amp;Output driver</translation>
    </message>
    <message id="10091">
        <source>&amp;Endstufe</source>
        <translation>&amp;Power stage</translation>
    </message>
    <message id="10092">
        <source>&amp;Initiatoren</source>
        <translation>&amp;Initiators</translation>
    </message>
    <message id="10093">
        <source>&amp;SFI</source>
        <translation>&amp;SFI</translation>
    </message>
    <message id="10094">
        <source>&amp;Gesamte Anlage</source>
        <translation>&amp;Whole equipment</translation>
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
        <translation>Installation reset</translation>
    </message>
    <message id="10098">
        <source>Gerät wird zurückgesetzt: Bitte warten...</source>
        <translation>Device is reset: Please wait...</translation>
    </message>
    <message id="10101">
        <source>Sende SPS-Programme</source>
        <translation>Send PLC programs</translation>
    </message>
    <message id="10102">
        <source>Übertragene Programmnummer:&#9;</source>
        <translation>Transmittet program number:&#9;</translation>
    </message>
    <message id="10103">
        <source>Schnittstelle Timeout!</source>
        <translation>Interface timeout!</translation>
    </message>
    <message id="10104">
        <source>Schnittstelle kann nicht geöffnet werden!</source>
        <translation>Interface can not be opened!</translation>
    </message>
    <message id="10105">
        <source>Die aktuellen Parameter werden duch interne Defaultwerte überschrieben</source>
        <translation>The actual parameters are overwritten by internal default values</translation>
    </message>
    <message id="10106">
        <source>Treiber-Reset erfolgreich durchgeführt</source>
        <translation>Driver reset successful</translation>
    </message>
    <message id="10107">
        <source>Endstufen-Reset erfolgreich durchgeführt</source>
        <translation>Power stage reset successful</translation>
    </message>
    <message id="10108">
        <source>Reset der Initiatoren erfolgreich durchgeführt</source>
        <translation>Initiators reset successful</translation>
    </message>
    <message id="10109">
        <source>Reset des SFI erfolgreich durchgeführt</source>
        <translation>SFI reset successful</translation>
    </message>
    <message id="10110">
        <source>Sollen die derzeit aktuellen Parameter wirklich fest programmiert werden?</source>
        <translation>Do you really want to store the actual parameters? </translation>
    </message>
    <message id="10111">
        <source>Soll der SPS-Bereich wirklich gelöscht werden?</source>
        <translation>Do you really want to delete the PLC range?</translation>
    </message>
    <message id="10112">
        <source>Sollen die SPS-Zyklen wirklich neu programmiert werden?</source>
        <translation>Do you really want to store the PLC cycles?</translation>
    </message>
    <message id="10113">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programming successful finished</translation>
    </message>
    <message id="10114">
        <source>FEHLER: Programmieren fehlgeschlagen!</source>
        <translation>ERROR: Programming failed!</translation>
    </message>
    <message id="10115">
        <source>: SPS-Funktionalität</source>
        <translation>: PLC functions</translation>
    </message>
    <message id="10116">
        <source>Fahrbefehl:</source>
        <translation>Motion command:</translation>
    </message>
    <message id="10117">
        <source>...nach / ...um:</source>
        <translation>...to / ...by:</translation>
    </message>
    <message id="10118">
        <source>Offsetfreq.:</source>
        <translation>Offset freq.:</translation>
    </message>
    <message id="10119">
        <source>Lauffreq.:</source>
        <translation>Run freq.:</translation>
    </message>
    <message id="10120">
        <source>Rampe:</source>
        <translation>Ramp:</translation>
    </message>
    <message id="10121">
        <source>&amp;Kopiere Fahrbefehl</source>
        <translation>&amp;Copy motion command</translation>
    </message>
    <message id="10122">
        <source>&amp;Programmieren</source>
        <translation>&amp;Program</translation>
    </message>
    <message id="10123">
        <source>! Alles löschen !</source>
        <translation>! Delete all !</translation>
    </message>
    <message id="10124">
        <source>&amp;Stop</source>
        <translation>&amp;Stop</translation>
    </message>
    <message id="10125">
        <source>SPS - Protokollsimulation</source>
        <translation>PLC - protocol simulation</translation>
    </message>
    <message id="10126">
        <source>&amp;Anfang</source>
        <translation>&amp;Begin</translation>
    </message>
    <message id="10127">
        <source>Soll dieser Fahrbefehl wirklich auf die nachfolgenden kopiert werden?</source>
        <translation>Do you really want to copy this motion command to the following?</translation>
    </message>
    <message id="10128">
        <source>&amp;Ende</source>
        <translation>&amp;End</translation>
    </message>
    <message id="10129">
        <source>Programmnummer: </source>
        <translation>Program number: </translation>
    </message>
    <message id="10130">
        <source>: Ein- / Ausgänge</source>
        <translation>: In- / Outputs</translation>
    </message>
    <message id="10131">
        <source>&amp;Befehl an Achse</source>
        <translation>&amp;Command to axis</translation>
    </message>
    <message id="10132">
        <source>Pro&amp;tokolleinstellungen</source>
        <translation>Pro&amp;tocol settings</translation>
    </message>
    <message id="10133">
        <source>Empfangene Daten</source>
        <translation>Received data</translation>
    </message>
    <message id="10134">
        <source>Anzeige &amp;Datenempfang</source>
        <translation>&amp;Display of received data</translation>
    </message>
    <message id="10135">
        <source>&amp;Sende</source>
        <translation>&amp;Send</translation>
    </message>
    <message id="10136">
        <source>Sto&amp;p</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message id="10137">
        <source>Nur STX / ETX</source>
        <translation>Only STX / ETX</translation>
    </message>
    <message id="10138">
        <source>STX / ETX und Prüfsumme</source>
        <translation>STX / ETX and checksum</translation>
    </message>
    <message id="10139">
        <source>STX / ETX und Adresse</source>
        <translation>STX / ETX and address</translation>
    </message>
    <message id="10140">
        <source>Volles Protokoll</source>
        <translation>Full protocol</translation>
    </message>
    <message id="10141">
        <source>Nur Daten</source>
        <translation>Data only</translation>
    </message>
    <message id="10142">
        <source>Kurzstatus und Daten</source>
        <translation>Short status and data</translation>
    </message>
    <message id="10143">
        <source>Alle Zeichen anzeigen</source>
        <translation>Display all characters</translation>
    </message>
    <message id="10144">
        <source>: RS-Monitor</source>
        <translation>: RS monitor</translation>
    </message>
    <message id="10145">
        <source>: SFI - Optionen</source>
        <translation>: SFI options</translation>
    </message>
    <message id="10146">
        <source>Konfiguration</source>
        <translation>Configuration</translation>
    </message>
    <message id="10147">
        <source>&amp;Vorzugsrichtung</source>
        <translation>&amp;Preferred direction</translation>
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
        <translation>&amp;Motor steps</translation>
    </message>
    <message id="10151">
        <source>&amp;Encoderstrichzahl</source>
        <translation>&amp;Encoder lines</translation>
    </message>
    <message id="10152">
        <source>&amp;Programmieren</source>
        <translation>Pro&amp;gram</translation>
    </message>
    <message id="10153">
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message id="10154">
        <source>&amp;Aktiviert</source>
        <translation>&amp;Activated</translation>
    </message>
    <message id="10155">
        <source>&amp;Deaktiviert</source>
        <translation>&amp;Deactivated</translation>
    </message>
    <message id="10156">
        <source>&amp;Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message id="10157">
        <source>Soll der SFI wirklich neu programmiert werden?</source>
        <translation>The SFI should really be programmed?</translation>
    </message>
    <message id="10158">
        <source>Datei konnte nicht geöffnet werden!</source>
        <translation>File couldn't be opened</translation>
    </message>
    <message id="10159">
        <source>Soll der Reset der </source>
        <translation>Do you really want to reset the  </translation>
    </message>
    <message id="10160">
        <source> wirklich durchgeführt werden?</source>
        <translation> </translation>
    </message>
    <message id="10161">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programming successful finished</translation>
    </message>
    <message id="10162">
        <source>SFI Programmierung</source>
        <translation>SFI Programming</translation>
    </message>
    <message id="10163">
        <source>Programmierung läuft... Bitte warten</source>
        <translation>Programming is runnning: Please wait...</translation>
    </message>
    <message id="10164">
        <source>: Rampen programmieren</source>
        <translation>: Ramps programming</translation>
    </message>
    <message id="10165">
        <source>Nicht genügend freien Speicher&#13;&#10;für Rampenberechnung</source>
        <translation>Not enough free memory&#13;&#10;for ramp calculation</translation>
    </message>
    <message id="10166">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programming successful finished</translation>
    </message>
    <message id="10167">
        <source>Programmierung fehlgeschlagen!</source>
        <translation>Programming failed!</translation>
    </message>
    <message id="10168">
        <source>Sende Rampendaten. Bitte warten...                Rampe: </source>
        <translation>Ramp data sending. Please wait...                Ramp: </translation>
    </message>
    <message id="10169">
        <source>Sollen wirklich die internen Defaultrampen programmiert werden?&#10;&#10;ACHTUNG: Auch der SPS-Bereich wird gelöscht!</source>
        <translation>Do you really want to store the internal default ramps?&#10;&#10;ATTENTION: The PLC range is also deleted!</translation>
    </message>
    <message id="10170">
        <source>Zu wenig freier Rampenspeicher im Gerät!</source>
        <translation>Not enough free ramp memory in device!</translation>
    </message>
    <message id="10171">
        <source>ACHTUNG: Auch der SPS-Bereich wird gelöscht!&#13;&#10;&#10;Sollen die ausgewählten Rampen wirklich gelöscht werden?</source>
        <translation>ATTENTION: Also the PLC range is deleted!&#13;&#10;&#10;Do you really want to delete these ramps?</translation>
    </message>
    <message id="10172">
        <source>Lese SPS-Sequenzen. Bitte warten...</source>
        <translation>PLC sequences reading. Please wait..."</translation>
    </message>
    <message id="10173">
        <source>Stufe</source>
        <translation>Step</translation>
    </message>
    <message id="10174">
        <source>Werte übernehmen</source>
        <translation>Transfer values</translation>
    </message>
    <message id="10175">
        <source>Speichern fehlgeschlagen!&#13;&#10;Daten von der Steuerung konnten nicht empfangen werden</source>
        <translation>Saving failed!&#13;&#10;Data from controller couldn't be received</translation>
    </message>
    <message id="10180">
        <source>; Veltrax Parameterdatei vom </source>
        <translation>; Veltrax parameter file from </translation>
    </message>
    <message id="10181">
        <source>; ---------------------------------------------------&#13;&#10;;&#13;&#10;</source>
        <translation>; ---------------------------------------------------&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10182">
        <source>; [Kommentar]&#13;&#10;;&#13;&#10;;&#13;&#10;;&#13;&#10;</source>
        <translation>; [Comment]&#13;&#10;;&#13;&#10;;&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10187">
        <source>; [Achsparameter]&#13;&#10;;&#13;&#10;</source>
        <translation>; [Axis parameter]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10188">
        <source>; [Beschleunigungstabelle]&#13;&#10;;&#13;&#10;</source>
        <translation>; [Acceleration table]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10189">
        <source>; [bitte nicht ändern   ]:</source>
        <translation>; [Please don't change   ]:</translation>
    </message>
    <message id="10190">
        <source>; [SPS-Sequenzen]&#13;&#10;;&#13;&#10;</source>
        <translation>; [PLC sequences]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10191">
        <source>; Rampe </source>
        <translation>; Ramp </translation>
    </message>
    <message id="10192">
        <source>Verschiedene Rampen in Datei und Steuerung.&#13;&#10;Rampen neu programmieren?</source>
        <translation>Different ramps in file and controller&#13;&#10;Program ramps again?</translation>
    </message>
    <message id="10193">
        <source>Keine Adresse ausgewählt!</source>
        <translation>No address selected</translation>
    </message>
    <message id="10194">
        <source>Achse(n) </source>
        <translation>Ax(i)(e)s</translation>
    </message>
    <message id="10195">
        <source> erfolgreich geladen.</source>
        <translation> successful loaded</translation>
    </message>
    <message id="10196">
        <source>Achse(n) konnten nicht geladen werden!</source>
        <translation>Ax(i)(e)s couldn't be loaded!</translation>
    </message>
    <message id="10200">
        <source>KORMAK: Konfiguration von Achse </source>
        <translation>KORMAK: Configuration of axis </translation>
    </message>
    <message id="10201">
        <source>Geräteabhängige Daten&#13;&#10;&#10;</source>
        <translation>Device-dependent data&#13;&#10;&#10;</translation>
    </message>
    <message id="10202">
        <source>Programmversion:&#9;&#9;&#9;</source>
        <translation>Program version:&#9;&#9;&#9;</translation>
    </message>
    <message id="10203">
        <source>Allgemeine Parameter&#13;&#10;&#10;</source>
        <translation>General parameters&#13;&#10;&#10;</translation>
    </message>
    <message id="10204">
        <source>Start-/Stopfrequenz:&#9;&#9;&#9;</source>
        <translation>Start-/Stopfrequency:&#9;&#9;&#9;</translation>
    </message>
    <message id="10205">
        <source>Lauffrequenz:&#9;&#9;&#9;&#9;</source>
        <translation>Run frequency:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10206">
        <source>Betriebsart:&#9;&#9;&#9;&#9;</source>
        <translation>Operation mode:&#9;&#9;&#9;</translation>
    </message>
    <message id="10207">
        <source>Anlagentyp:&#9;&#9;&#9;&#9;</source>
        <translation>Device type:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10208">
        <source>Achsbegrenzung:&#9;&#9;&#9;</source>
        <translation>Limiter for Axes:&#9;&#9;&#9;</translation>
    </message>
    <message id="10209">
        <source>Spindelspiel:&#9;&#9;&#9;&#9;</source>
        <translation>Spindle play:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10210">
        <source>Nullpunktoffset vom...&#13;&#10;</source>
        <translation>Zero point offset of...&#13;&#10;</translation>
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
        <translation>1/8-steps</translation>
    </message>
    <message id="10214">
        <source>Steuerungstyp:&#9;&#9;&#9;&#9;</source>
        <translation>Controller type:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10215">
        <source>Stromeinstellungen&#13;&#10;&#10;</source>
        <translation>Current settings&#13;&#10;&#10;</translation>
    </message>
    <message id="10216">
        <source>Überhöhungszeit:&#9;&#9;&#9;</source>
        <translation>Recovery time:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10217">
        <source>Stopstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Stop current:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10218">
        <source>Laufstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Run current:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10219">
        <source>Booststrom:&#9;&#9;&#9;&#9;</source>
        <translation>Boost current:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10220">
        <source>Rampenparameter&#13;&#10;&#10;</source>
        <translation>Ramp parameters&#13;&#10;&#10;</translation>
    </message>
    <message id="10221">
        <source>Insgesamt:&#9;&#9;&#9;&#9;</source>
        <translation>Total:&#9;&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10222">
        <source>Aktuelle Rampe:&#9;&#9;&#9;</source>
        <translation>Actual ramp:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10223">
        <source>Rampe </source>
        <translation>Ramp </translation>
    </message>
    <message id="10224">
        <source>Fehler beim Erstellen des Ausdrucks!</source>
        <translation>Error during printing!</translation>
    </message>
    <message id="10225">
        <source>SPS-Zyklus: </source>
        <translation>PLC cycle: </translation>
    </message>
    <message id="10226">
        <source>Nullpunktoffset:&#9;&#9;&#9;&#9;</source>
        <translation>Zero point offset:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10227">
        <source>Offsetfrequenz:&#9;&#9;&#9;&#9;</source>
        <translation>Frequency offset:&#9;&#9;&#9;</translation>
    </message>
    <message id="10228">
        <source>Fahrbefehl:&#9;&#9;&#9;&#9;</source>
        <translation>Motion command:&#9;&#9;&#9;</translation>
    </message>
    <message id="10229">
        <source>Rampe:&#9;&#9;&#9;&#9;&#9;</source>
        <translation>Ramp:&#9;&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10230">
        <source>Initialisiere über Initiator </source>
        <translation>Initialize via initiator </translation>
    </message>
    <message id="10231">
        <source>Fahre auf Position </source>
        <translation>Go absolute </translation>
    </message>
    <message id="10232">
        <source>Verfahre um </source>
        <translation>Go relative </translation>
    </message>
    <message id="10233">
        <source>Freier Lauf in Richtung Initiator </source>
        <translation>Free running in direction initiator </translation>
    </message>
    <message id="10234">
        <source>Verfahre ein Achtelschritt in Richtung Initiator </source>
        <translation>Go a 1/8 step in initiator direction </translation>
    </message>
    <message id="10235">
        <source>Index </source>
        <translation>Index </translation>
    </message>
    <message id="10236">
        <source> (entspricht </source>
        <translation> (equals  </translation>
    </message>
    <message id="10237">
        <source>KORMAK: Offline Konfiguration</source>
        <translation>KORMAK: Offline configuration</translation>
    </message>
    <message id="10238">
        <source>Keine Daten!&#13;&#10;</source>
        <translation>No data!&#13;&#10;</translation>
    </message>
    <message id="10239">
        <source>Parameter wurden geändert!&#13;&#10;Trotzdem schließen?</source>
        <translation>Parameters have been changed!&#13;&#10;Exit?</translation>
    </message>
    <message id="10240">
        <source>Baudrate erfolgreich umgeschaltet</source>
        <translation>Baudrate successfully changed</translation>
    </message>
    <message id="10241">
        <source>Defaultrampen programmieren</source>
        <translation>Store default ramps</translation>
    </message>
    <message id="10242">
        <source>Rampen werden programmiert: Bitte warten...</source>
        <translation>Storing ramps: Please wait...</translation>
    </message>
    <message id="10243">
        <source>Bitte nur Zahlen eingeben!</source>
        <translation>Please use only digits!</translation>
    </message>
    <message id="10244">
        <source>Eingabefehler</source>
        <translation>Input error</translation>
    </message>
    <message id="10245">
        <source>Aktuelle Baudrate</source>
        <translation>Actual Baudrate</translation>
    </message>
    <message id="10246">
        <source>Neue Baudrate</source>
        <translation>New Baudrate</translation>
    </message>
    <message id="10247">
        <source>: Baudrate ändern</source>
        <translation>: Change Baudrate</translation>
    </message>
    <message id="10248">
        <source>Weitere Rampen&#13;&#10;können nicht mehr&#13;&#10;programmiert&#13;&#10;werden</source>
        <translation>You can't&#13;&#10;kstore any&#13;&#10;more ramps!</translation>
    </message>
    <message id="10249">
        <source>Markieren Sie&#13;&#10;links die Rampen,&#13;&#10;die gelöscht&#13;&#10;werden sollen&#13;&#10;&#10;&#10;! Achtung !&#13;&#10;&#10;Der SPS-Bereich&#13;&#10;wird immer mit&#13;&#10;gelöscht!</source>
        <translation>Please mark&#13;&#10;the ramps on&#13;&#10;the left side,&#13;&#10;which you want to delete&#13;&#10;&#10; ATTENTION !&#13;&#10;&#10;The PLC range&#13;&#10;is also&#13;&#10;deleted!</translation>
    </message>
    <message id="10250">
        <source>&gt;&gt; Keine Rampen ! &lt;&lt;</source>
        <translation>&gt;&gt; No ramps ! &lt;&lt;</translation>
    </message>
    <message id="10251">
        <source>&amp;Löschen !</source>
        <translation>&amp;Delete !</translation>
    </message>
    <message id="10252">
        <source>Freier Speicher:</source>
        <translation>Free memory:</translation>
    </message>
    <message id="10253">
        <source>&amp;Neue Rampe:</source>
        <translation>&amp;New ramp:</translation>
    </message>
    <message id="10254">
        <source>Programmierte Rampen</source>
        <translation>Stored ramps</translation>
    </message>
    <message id="10255">
        <source>&amp;Berechnen</source>
        <translation>&amp;Calculate</translation>
    </message>
    <message id="10256">
        <source>...benötigt an&#13;&#10;freiem Speicher:</source>
        <translation>...uses free&#13;&#10;memory:</translation>
    </message>
    <message id="10257">
        <source>&amp;Interne Rampen</source>
        <translation>&amp;Internal ramps</translation>
    </message>
    <message id="10258">
        <source>&amp;Lösche Rampe...</source>
        <translation>&amp;Delete ramp...</translation>
    </message>
    <message id="10259">
        <source>&amp;Abbruch</source>
        <translation>&amp;Abort</translation>
    </message>
    <message id="10260">
        <source>Empfangsbuffer Überlauf!</source>
        <translation>Receivebuffer overflow!</translation>
    </message>
    <message id="10261">
        <source>Steuerungsparameter wurden geändert!&#13;&#10;Sollen die Parameter gespeichert werden?</source>
        <translation>Parameters changed!&#13;&#10;Should the parameters be stored?</translation>
    </message>
    <message id="10262">
        <source>Istposition</source>
        <translation>Actual Position</translation>
    </message>
    <message id="10263">
        <source>Ü&amp;bertragen</source>
        <translation>Transmit</translation>
    </message>
    <message id="10264">
        <source>Info über Kormak...</source>
        <translation>About Kormak...</translation>
    </message>
    <message id="10265">
        <source>: Erweiterte SPS Funktionalität</source>
        <translation>: Advanced PLC functions</translation>
    </message>
    <message id="10266">
        <source>Pause in ms...</source>
        <translation>Break in msec</translation>
    </message>
    <message id="10267">
        <source>Sprungbefehl zu Sequenz...</source>
        <translation>Jump instruction to sequence</translation>
    </message>
    <message id="10268">
        <source>Stopstrom...</source>
        <translation>Stop Current...</translation>
    </message>
    <message id="10269">
        <source>Laufstrom...</source>
        <translation>Run Current...</translation>
    </message>
    <message id="10270">
        <source>Booststrom...</source>
        <translation>Boost Current...</translation>
    </message>
    <message id="10271">
        <source>Überhöhungszeit...</source>
        <translation>Recovery Time...</translation>
    </message>
    <message id="10272">
        <source>Istposition...</source>
        <translation>Actual position...</translation>
    </message>
    <message id="10273">
        <source>Start/Stop Frequenz...</source>
        <translation>Start/Stopfrequency...</translation>
    </message>
    <message id="10274">
        <source>Lauffrequenz...</source>
        <translation>Runfrequency...</translation>
    </message>
    <message id="10275">
        <source>Rampe...</source>
        <translation>Ramp...</translation>
    </message>
    <message id="10276">
        <source>Reset Endstufe</source>
        <translation>Reset Power stage</translation>
    </message>
    <message id="10277">
        <source>Reset Initiatoren</source>
        <translation>Reset Initiators</translation>
    </message>
    <message id="10278">
        <source>Reset Ausgangstreiber</source>
        <translation>Reset Output driver</translation>
    </message>
    <message id="10279">
        <source>Reset gesamte Anlage</source>
        <translation>Reset Whole equipment</translation>
    </message>
    <message id="10280">
        <source>Reset SFI</source>
        <translation>Reset SFI</translation>
    </message>
    <message id="10281">
        <source>SPS Erw. &gt;&gt;</source>
        <translation>PLC Ext. &gt;&gt;</translation>
    </message>
    <message id="10282">
        <source>Erweiterte SPS Sequenz:&#9;&#9;</source>
        <translation>Extended PLC sequence:&#9;&#9;</translation>
    </message>
    <message id="10283">
        <source>Positionszähler setzen auf:&#9;&#9;</source>
        <translation>Set position counter to:&#9;&#9;&#9;</translation>
    </message>
    <message id="10284">
        <source>Wartezeit in ms:&#9;&#9;&#9;</source>
        <translation>Break in msec:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10285">
        <source>Sprungbefehl zu Sequenz:&#9;&#9;</source>
        <translation>Jump instruction to sequence:&#9;&#9;</translation>
    </message>
    <message id="10286">
        <source>Stopstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Stop Current:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10287">
        <source>Laufstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Run Current:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10288">
        <source>Booststrom:&#9;&#9;&#9;&#9;</source>
        <translation>Boost Current:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10289">
        <source>Überhöhungszeit:&#9;&#9;&#9;</source>
        <translation>Recovery Time:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10290">
        <source>Reset Endstufe</source>
        <translation>Reset Power stage</translation>
    </message>
    <message id="10291">
        <source>Reset Initiator</source>
        <translation>Reset Initiators</translation>
    </message>
    <message id="10292">
        <source>Reset Ausgangstreiber</source>
        <translation>Reset Output driver</translation>
    </message>
    <message id="10293">
        <source>Reset gesamte Anlage</source>
        <translation>Reset Whole equipment</translation>
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
        <translation>Ready</translation>
    </message>
    <message id="59142">
        <source>Fortschritt</source>
        <translation>Progress</translation>
    </message>
    <message id="61697">
        <source>Das Dokument konnte nicht geöffnet werden.</source>
        <translation>Failed to open document.</translation>
    </message>
    <message id="about.maker">
        <source>Veltrax GmbH&#10;Konfiguration, Test und Programmierung von Schrittmotorsteuerungen</source>
        <translation>Veltrax GmbH&#10;Configuring, testing and programming stepper-motor controllers</translation>
    </message>
    <message id="axis.notCurrent">
        <source>Nicht aktuell: keine Verbindung zur Achse</source>
        <translation>Not current: no link to the axis</translation>
    </message>
    <message id="bar.axes">
        <source>Achsenleiste</source>
        <translation>Axis bar</translation>
    </message>
    <message id="baud.lostAtNew">
        <source>Keine Antwort auf %1, aber die Achse antwortet jetzt mit %2 Baud.</source>
        <translation>No reply to %1, but the axis now answers at %2 Baud.</translation>
    </message>
    <message id="baud.lostAtOld">
        <source>Keine Antwort auf %1; die Achse antwortet weiterhin mit %2 Baud.</source>
        <translation>No reply to %1; the axis still answers at %2 Baud.</translation>
    </message>
    <message id="baud.lostNowhere">
        <source>Keine Antwort auf %1, und die Achse antwortet weder mit %2 noch mit %3 Baud.</source>
        <translation>No reply to %1, and the axis answers neither at %2 nor at %3 Baud.</translation>
    </message>
    <message id="button.cancel">
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message id="button.no">
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
    <message id="button.ok">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="button.yes">
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message id="cli.noReply">
        <source>Keine Antwort von Achse %1 bei %2 Baud.</source>
        <translation>No reply from axis %1 at %2 Baud.</translation>
    </message>
    <message id="file.damaged">
        <source>Die Datei ist beschädigt (%1).&#10;Sie kann nicht in eine Achse geladen werden.</source>
        <translation>The file is damaged (%1).&#10;It cannot be loaded into an axis.</translation>
    </message>
    <message id="file.damagedLine">
        <source>Zeile %1: „%2“</source>
        <translation>line %1: &quot;%2&quot;</translation>
    </message>
    <message id="file.damagedMissing">
        <source>„%1“ fehlt</source>
        <translation>&quot;%1&quot; is missing</translation>
    </message>
    <message id="file.damagedValue">
        <source>Wert „%1“</source>
        <translation>value &quot;%1&quot;</translation>
    </message>
    <message id="file.saveChanges">
        <source>Änderungen an %1 speichern?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message id="file.saveFailed">
        <source>Die Datei konnte nicht gespeichert werden:&#10;%1</source>
        <translation>The file could not be saved:&#10;%1</translation>
    </message>
    <message id="indicator.caps">
        <source>UF</source>
        <translation>CAP</translation>
    </message>
    <message id="indicator.num">
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message id="indicator.scroll">
        <source>RF</source>
        <translation>SCRL</translation>
    </message>
    <message id="link.accessDenied">
        <source>Keine Zugriffsrechte für %1. Der Benutzer muss Mitglied der Gruppe „%2“ sein, der das Gerät gehört (unter Debian „dialout“), und sich danach neu anmelden.</source>
        <translation>No access rights for %1. The user must be a member of the group "%2" that owns the device ("dialout" on Debian), and log in again afterwards.</translation>
    </message>
    <message id="link.badNetworkName">
        <source>„%1“ ist kein Netzwerkanschluss: erwartet rfc2217://RECHNER:PORT oder socket://RECHNER:PORT.</source>
        <translation>"%1" is not a network port: expected rfc2217://HOST:PORT or socket://HOST:PORT.</translation>
    </message>
    <message id="link.connectTimeout">
        <source>Keine Verbindung zu %1, Port %2: keine Antwort innerhalb von %3 s.</source>
        <translation>No connection to %1 port %2: no answer within %3 s.</translation>
    </message>
    <message id="link.connectionRefused">
        <source>%1 nimmt keine Verbindung an: dort wartet kein Serverdienst.</source>
        <translation>%1 refuses the connection: no serial-port server listens there.</translation>
    </message>
    <message id="link.gone">
        <source>Keine Verbindung zur Schnittstelle: Es wurde nichts gesendet. Bitte Kabel und Adapter prüfen und die Achse neu verbinden.</source>
        <translation>No connection to the interface: nothing was sent. Please check cable and adapter and connect the axis again.</translation>
    </message>
    <message id="link.hostNotFound">
        <source>Rechner %1 nicht gefunden.</source>
        <translation>Host %1 not found.</translation>
    </message>
    <message id="link.networkFailed">
        <source>Die Verbindung zu %1 ist gescheitert.</source>
        <translation>The connection to %1 failed.</translation>
    </message>
    <message id="link.noRateControl">
        <source>%1 kann die Baudrate nicht einstellen (kein RFC 2217). Mit fester Baudrate: socket://%1</source>
        <translation>%1 cannot set the baud rate (no RFC 2217). At a fixed rate use socket://%1</translation>
    </message>
    <message id="link.openFailedReason">
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message id="link.ownerOnly">
        <source>Keine Zugriffsrechte für %1: Nur der Besitzer des Geräts darf es öffnen; die Mitgliedschaft in einer Gruppe hilft hier nicht. Der Administrator muss die Rechte des Geräts ändern.</source>
        <translation>No access rights for %1: only the device's owner may open it; membership of a group does not help here. The administrator must change the device's rights.</translation>
    </message>
    <message id="link.portInUse">
        <source>%1 wird bereits von einem anderen Programm benutzt.</source>
        <translation>%1 is already in use by another program.</translation>
    </message>
    <message id="link.portLost">
        <source>Verbindung zur Schnittstelle verloren! Bitte Kabel und Adapter prüfen.</source>
        <translation>Connection to the interface lost! Please check cable and adapter.</translation>
    </message>
    <message id="machine.axisFailed">
        <source>Achse %1 wurde nicht wiederhergestellt.</source>
        <translation>Axis %1 was not restored.</translation>
    </message>
    <message id="machine.backupFailed">
        <source>Achse %1 antwortete, konnte aber nicht gesichert werden; es wurde kein machine.json geschrieben.</source>
        <translation>Axis %1 answered but could not be saved; no machine.json was written.</translation>
    </message>
    <message id="machine.folderRefused">
        <source>Der Ordner wird nicht wiederhergestellt; es wurde nichts gesendet:</source>
        <translation>The folder is not restored; nothing was sent:</translation>
    </message>
    <message id="machine.noFolder">
        <source>Der Ordner kann nicht angelegt werden.</source>
        <translation>The folder cannot be created.</translation>
    </message>
    <message id="machine.notSaved">
        <source>Nicht gesichert: %1. Es wurde kein machine.json geschrieben.</source>
        <translation>Not saved: %1. No machine.json was written.</translation>
    </message>
    <message id="machine.otherFamily">
        <source>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot;: eine andere Gerätefamilie.</source>
        <translation>Axis %1 reports &quot;%2&quot;, the backup was taken from &quot;%3&quot;: another device family.</translation>
    </message>
    <message id="machine.otherType">
        <source>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot; (dieselbe Familie). Trotzdem laden?</source>
        <translation>Axis %1 reports &quot;%2&quot;, the backup was taken from &quot;%3&quot; (the same family). Load it all the same?</translation>
    </message>
    <message id="machine.question">
        <source>Diese Achsen mit den Dateien des Ordners überschreiben?</source>
        <translation>Overwrite these axes with the files of the folder?</translation>
    </message>
    <message id="machine.restoreRefused">
        <source>Die Wiederherstellung wurde abgelehnt; es wurde nichts gesendet.</source>
        <translation>The restore was refused; nothing was sent.</translation>
    </message>
    <message id="machine.restored">
        <source>Wiederhergestellt: %1
Nicht wiederhergestellt: %2</source>
        <translation>Restored: %1
Not restored: %2</translation>
    </message>
    <message id="machine.restoring">
        <source>Achse %1 wird wiederhergestellt...</source>
        <translation>Restoring axis %1...</translation>
    </message>
    <message id="machine.saved">
        <source>Gesichert: %1
Nicht vorhanden: %2</source>
        <translation>Saved: %1
Absent: %2</translation>
    </message>
    <message id="machine.saving">
        <source>Achse %1 wird gesichert...</source>
        <translation>Saving axis %1...</translation>
    </message>
    <message id="machine.silent">
        <source>Achse %1 antwortet bei keiner Baudrate.</source>
        <translation>Axis %1 does not answer at any rate.</translation>
    </message>
    <message id="menu.32814">
        <source>&amp;Baudrate ändern</source>
        <translation>&amp;Change Baudrate</translation>
    </message>
    <message id="menu.32817">
        <source>&amp;Drucken&#9;Strg+P</source>
        <translation>&amp;Print&#9;Ctrl+P</translation>
    </message>
    <message id="menu.32829">
        <source>&amp;Deutsch</source>
        <translation>&amp;German</translation>
    </message>
    <message id="menu.32830">
        <source>&amp;Englisch</source>
        <translation>&amp;English</translation>
    </message>
    <message id="menu.32834">
        <source>&amp;Französisch</source>
        <translation>&amp;French</translation>
    </message>
    <message id="menu.57600">
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message id="menu.57601">
        <source>Ö&amp;ffnen...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message id="menu.57602">
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message id="menu.57603">
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message id="menu.57604">
        <source>Speichern &amp;unter...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message id="menu.57616">
        <source>Zuletzt geöffnete Datei</source>
        <translation>Recent File</translation>
    </message>
    <message id="menu.57649">
        <source>&amp;Symbole anordnen</source>
        <translation>&amp;Arrange Icons</translation>
    </message>
    <message id="menu.57650">
        <source>Ü&amp;berlappend</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message id="menu.57651">
        <source>&amp;Nebeneinander</source>
        <translation>&amp;Tile</translation>
    </message>
    <message id="menu.57664">
        <source>&amp;Info über Kormak...</source>
        <translation>&amp;About Kormak...</translation>
    </message>
    <message id="menu.57665">
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message id="menu.59392">
        <source>&amp;Symbolleiste</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message id="menu.59393">
        <source>Status&amp;leiste</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message id="menu.axisToolBar">
        <source>&amp;Achsen-Symbolleiste</source>
        <translation>&amp;Axis toolbar</translation>
    </message>
    <message id="menu.file">
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message id="menu.help">
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message id="menu.language">
        <source>&amp;Sprache</source>
        <translation>&amp;Language</translation>
    </message>
    <message id="menu.options">
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message id="menu.readBack">
        <source>Nach dem Übertragen zurücklesen</source>
        <translation>Read back after transmitting</translation>
    </message>
    <message id="menu.restoreMachine">
        <source>Maschine wiederherstellen...</source>
        <translation>Restore machine...</translation>
    </message>
    <message id="menu.saveAllAxes">
        <source>Alle Achsen sichern...</source>
        <translation>Save all axes...</translation>
    </message>
    <message id="menu.trace">
        <source>Live-&amp;Verlauf...</source>
        <translation>Live t&amp;race...</translation>
    </message>
    <message id="menu.view">
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message id="menu.window">
        <source>&amp;Fenster</source>
        <translation>&amp;Window</translation>
    </message>
    <message id="plc.eraseAnsweredNo">
        <source>Die Steuerung hat das Löschen des SPS-Bereichs mit „NO“ abgelehnt; kein Slot wurde geschrieben.</source>
        <translation>The controller answered "NO" to erasing the PLC area; no slot was written.</translation>
    </message>
    <message id="plc.listingLine">
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message id="plc.listingNoSlot">
        <source>Die Datei enthält keine Slotzeile („NN Text“, „EW“ oder „WU“) und ist kein Abzug eines leeren Bereichs. Es wurde nichts gesendet.</source>
        <translation>The file holds no slot line (“NN text”, “EW” or “WU”) and is no dump of an empty area. Nothing was sent.</translation>
    </message>
    <message id="plc.listingNotSlotLine">
        <source>weder eine Slotzeile („NN Text“) noch eine Zeile einer Parameterdatei: „%1“. Es wurde nichts gesendet.</source>
        <translation>neither a slot line (“NN text”) nor a line of a parameter file: “%1”. Nothing was sent.</translation>
    </message>
    <message id="plc.listingSlotTwice">
        <source>Slot %1 steht schon in Zeile %2. Es wurde nichts gesendet.</source>
        <translation>slot %1 is already named in line %2. Nothing was sent.</translation>
    </message>
    <message id="plc.listingTooLong">
        <source>Der Text von Slot %1 hat %2 Zeichen; ein Rahmen trägt höchstens %3. Es wurde nichts gesendet.</source>
        <translation>the text of slot %1 holds %2 characters; one frame carries at most %3. Nothing was sent.</translation>
    </message>
    <message id="plc.replaceProgram">
        <source>Slot %1 hält ein Zyklusprogramm. Soll es durch einen Schritt der erweiterten Sequenz ersetzt werden?</source>
        <translation>Slot %1 holds a cycle program. Replace it with a step of the extended sequence?</translation>
    </message>
    <message id="plc.replaceStep">
        <source>Slot %1 hält einen Schritt der erweiterten Sequenz. Soll er durch ein Zyklusprogramm ersetzt werden?</source>
        <translation>Slot %1 holds a step of the extended sequence. Replace it with a cycle program?</translation>
    </message>
    <message id="plc.slotAnsweredNo">
        <source>Slot %1 wurde nicht gespeichert: die Steuerung antwortete „NO“. Die folgenden Slots wurden nicht geschrieben.</source>
        <translation>Slot %1 was not stored: the controller answered "NO". The slots after it were not written.</translation>
    </message>
    <message id="plc.slotDiffers">
        <source>Slot %1 hält nach dem Programmieren nicht den gesendeten Text.</source>
        <translation>Slot %1 does not hold the text sent.</translation>
    </message>
    <message id="plc.slotRefused">
        <source>Slot %1 wurde abgelehnt: %2</source>
        <translation>Slot %1 was refused: %2</translation>
    </message>
    <message id="plc.takenByProgram">
        <source>(belegt: Zyklusprogramm)</source>
        <translation>(taken: cycle program)</translation>
    </message>
    <message id="plc.takenByStep">
        <source>(belegt: Schritt einer Sequenz)</source>
        <translation>(taken: sequence step)</translation>
    </message>
    <message id="plcext.badJump">
        <source>Sequenz %1: Das Sprungziel ist keine Hexadezimalzahl. Der Testlauf wurde beendet.</source>
        <translation>Sequence %1: the jump target is no hexadecimal number. The test run has ended.</translation>
    </message>
    <message id="plcext.jumpRange">
        <source>Das Sprungziel muss eine Sequenznummer von 0 bis 255 sein.</source>
        <translation>The jump target must be a sequence number from 0 to 255.</translation>
    </message>
    <message id="ramp.axisFrequency">
        <source>Frequenz [Hz]</source>
        <translation>Frequency [Hz]</translation>
    </message>
    <message id="ramp.axisTime">
        <source>Zeit [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message id="ramp.curveEntry">
        <source>%1: %2 Hz/s, berechnet: %3 s bis %4 Hz</source>
        <translation>%1: %2 Hz/s, computed: %3 s to %4 Hz</translation>
    </message>
    <message id="ramp.curveName">
        <source>Rampe %1</source>
        <translation>Ramp %1</translation>
    </message>
    <message id="ramp.curveNewName">
        <source>Neue Rampe</source>
        <translation>New ramp</translation>
    </message>
    <message id="ramp.curveNotComputable">
        <source>%1: %2 Hz/s, nicht berechenbar</source>
        <translation>%1: %2 Hz/s, cannot be computed</translation>
    </message>
    <message id="ramp.curves">
        <source>&amp;Kurven &gt;&gt;</source>
        <translation>C&amp;urves &gt;&gt;</translation>
    </message>
    <message id="ramp.curvesNote">
        <source>Vom Programm aus Takt und Maximalfrequenz der Achse berechnet, wie es Rampen schreibt; die internen Rampen schreibt die Steuerung selbst.</source>
        <translation>Computed by this program from the axis's clock and top frequency, as it writes ramps; the internal ramps are written by the controller itself.</translation>
    </message>
    <message id="ramp.curvesTitle">
        <source>Rampenkurven (berechnet)</source>
        <translation>Ramp curves (computed)</translation>
    </message>
    <message id="ramp.slopeTooLarge">
        <source>Die Rampe ist zu steil! Sie muss unter 6553500 Hz/s liegen.</source>
        <translation>The ramp is too steep! It must be below 6553500 Hz/s.</translation>
    </message>
    <message id="report.damaged">
        <source>Achtung: die Datei ist beschädigt (%1).</source>
        <translation>Caution: the file is damaged (%1).</translation>
    </message>
    <message id="report.exportCaption">
        <source>Bericht als PDF exportieren</source>
        <translation>Export report as PDF</translation>
    </message>
    <message id="report.menuExport">
        <source>Als PD&amp;F exportieren…</source>
        <translation>Export as PD&amp;F…</translation>
    </message>
    <message id="report.menuPreview">
        <source>Druck&amp;vorschau</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message id="report.pageOf">
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message id="report.pdfAxisName">
        <source>Achse_%1</source>
        <translation>Axis_%1</translation>
    </message>
    <message id="report.pdfWritten">
        <source>Bericht geschrieben: %1</source>
        <translation>Report written to %1</translation>
    </message>
    <message id="report.writeFailed">
        <source>Die Datei %1 kann nicht geschrieben werden: %2</source>
        <translation>The file %1 cannot be written: %2</translation>
    </message>
    <message id="rsmon.controlCharacter">
        <source>Nicht gesendet: Der Befehl enthält das Steuerzeichen %1 (Zeichen %2). Ein Befehl ist eine einzige Zeile ohne Tabulator, STX oder ETX.</source>
        <translation>Not sent: the command holds the control character %1 (character %2). A command is a single line without tabs, STX or ETX.</translation>
    </message>
    <message id="rsmon.hideLog">
        <source>&lt;&lt; Sitzungsprotoko&amp;ll</source>
        <translation>&lt;&lt; Session &amp;log</translation>
    </message>
    <message id="rsmon.invalidUtf8">
        <source>Nicht gesendet: Die Zeile ist kein gültiges UTF-8 (Byte 0x%1 an Stelle %2).</source>
        <translation>Not sent: the line is not valid UTF-8 (byte 0x%1 at position %2).</translation>
    </message>
    <message id="rsmon.logDiscarded">
        <source>Vor dem Senden verworfen (ungelesener Empfang):</source>
        <translation>Discarded before sending (unread input):</translation>
    </message>
    <message id="rsmon.notCodePage">
        <source>Nicht gesendet: Das Zeichen „%1“ (%2) gibt es in Codepage 1252 nicht; die Achse erhielte „?“.</source>
        <translation>Not sent: the character “%1” (%2) does not exist in code page 1252; the axis would receive “?”.</translation>
    </message>
    <message id="rsmon.saveLog">
        <source>Protokoll speicher&amp;n...</source>
        <translation>Sa&amp;ve log...</translation>
    </message>
    <message id="rsmon.showLog">
        <source>Sitzungsprotoko&amp;ll &gt;&gt;</source>
        <translation>Session &amp;log &gt;&gt;</translation>
    </message>
    <message id="rsmon.tooLong">
        <source>Nicht gesendet: Ein Befehl hat höchstens %1 Zeichen, dieser hat %2.</source>
        <translation>Not sent: a command holds at most %1 characters; this one holds %2.</translation>
    </message>
    <message id="sfi.chooseFirst">
        <source>Die Karte meldet keine Konfiguration. Wählen Sie zuerst Vorzugsrichtung, Motorschrittzahl und Encoderstrichzahl: Sie bestimmen die Programmdatei.</source>
        <translation>The card reports no configuration. First choose the preferred direction, the motor steps and the encoder lines: they select the program file.</translation>
    </message>
    <message id="sfi.damagedFile">
        <source>Die Programmdatei %1 ist beschädigt (Zeile %2): ein Satz ist kein Intel-HEX-Satz, ist abgeschnitten oder hat eine falsche Prüfsumme. Es wurde nichts an die Karte gesendet.</source>
        <translation>The program file %1 is damaged (line %2): a record is no Intel HEX record, is cut short or has a wrong checksum. Nothing was sent to the card.</translation>
    </message>
    <message id="sfi.noRecords">
        <source>Die Programmdatei %1 enthält keinen 16-Byte-Datensatz (&quot;:10&quot;). Es wurde nichts an die Karte gesendet.</source>
        <translation>The program file %1 holds no 16-byte data record (&quot;:10&quot;). Nothing was sent to the card.</translation>
    </message>
    <message id="sfi.notStored">
        <source>Die Programmierung wurde abgebrochen, bevor das Programm gespeichert wurde (&quot;WX&quot; wurde nicht gesendet). Das Programm der Karte ist in einem unbekannten Zustand: Programmieren Sie die Karte erneut.</source>
        <translation>Programming stopped before the program was stored (&quot;WX&quot; was not sent). The card's program is in an unknown state: program the card again.</translation>
    </message>
    <message id="sfi.resetQuestion">
        <source>Soll die SFI-Karte von Achse %1 wirklich zurückgesetzt werden?</source>
        <translation>Do you really want to reset the SFI card of axis %1?</translation>
    </message>
    <message id="status.32813">
        <source>Druckt die aktive Ansicht.</source>
        <translation>Prints the active view.</translation>
    </message>
    <message id="status.32814">
        <source>Stellt die Achse und die Schnittstelle auf eine andere Baudrate um.</source>
        <translation>Switches the axis and the interface to another baud rate.</translation>
    </message>
    <message id="status.32817">
        <source>Druckt die aktive Ansicht.</source>
        <translation>Prints the active view.</translation>
    </message>
    <message id="status.32829">
        <source>Schaltet die Bedienoberfläche auf Deutsch um.</source>
        <translation>Switches the user interface to German.</translation>
    </message>
    <message id="status.32830">
        <source>Schaltet die Bedienoberfläche auf Englisch um.</source>
        <translation>Switches the user interface to English.</translation>
    </message>
    <message id="status.32834">
        <source>Schaltet die Bedienoberfläche auf Französisch um.</source>
        <translation>Switches the user interface to French.</translation>
    </message>
    <message id="status.57600">
        <source>Erstellt eine neue Offline-Konfiguration.</source>
        <translation>Creates a new offline configuration.</translation>
    </message>
    <message id="status.57601">
        <source>Öffnet eine Parameterdatei.</source>
        <translation>Opens a parameter file.</translation>
    </message>
    <message id="status.57602">
        <source>Schließt das aktive Dokument.</source>
        <translation>Closes the active document.</translation>
    </message>
    <message id="status.57603">
        <source>Speichert das aktive Dokument.</source>
        <translation>Saves the active document.</translation>
    </message>
    <message id="status.57604">
        <source>Speichert das aktive Dokument unter einem neuen Namen.</source>
        <translation>Saves the active document with a new name.</translation>
    </message>
    <message id="status.57616">
        <source>Öffnet diese Parameterdatei.</source>
        <translation>Opens this parameter file.</translation>
    </message>
    <message id="status.57649">
        <source>Ordnet die Fenstersymbole an.</source>
        <translation>Arranges the window icons.</translation>
    </message>
    <message id="status.57650">
        <source>Ordnet die Fenster überlappend an.</source>
        <translation>Arranges the windows so that they overlap.</translation>
    </message>
    <message id="status.57651">
        <source>Ordnet die Fenster nebeneinander an.</source>
        <translation>Arranges the windows side by side.</translation>
    </message>
    <message id="status.57664">
        <source>Zeigt Programminformationen und die Versionsnummer an.</source>
        <translation>Displays program information and the version number.</translation>
    </message>
    <message id="status.57665">
        <source>Beendet das Programm.</source>
        <translation>Quits the program.</translation>
    </message>
    <message id="status.59392">
        <source>Blendet die Symbolleiste ein oder aus.</source>
        <translation>Shows or hides the toolbar.</translation>
    </message>
    <message id="status.59393">
        <source>Blendet die Statusleiste ein oder aus.</source>
        <translation>Shows or hides the status bar.</translation>
    </message>
    <message id="tip.32813">
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message id="tip.57600">
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message id="tip.57601">
        <source>Öffnen</source>
        <translation>Open</translation>
    </message>
    <message id="tip.57603">
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message id="tip.57664">
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message id="tip.axis">
        <source>Verbinden mit Achse </source>
        <translation>Connects to axis </translation>
    </message>
    <message id="toolbar.axes">
        <source>Achsen</source>
        <translation>Axes</translation>
    </message>
    <message id="toolbar.main">
        <source>Symbolleiste</source>
        <translation>Toolbar</translation>
    </message>
    <message id="trace.axisPosition">
        <source>Position [1/8 Schritt]</source>
        <translation>Position [1/8 steps]</translation>
    </message>
    <message id="trace.axisSpeed">
        <source>Geschwindigkeit [1/8 Schritt/s]</source>
        <translation>Speed [1/8 steps/s]</translation>
    </message>
    <message id="trace.axisTime">
        <source>Zeit [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message id="trace.clear">
        <source>&amp;Leeren</source>
        <translation>&amp;Clear</translation>
    </message>
    <message id="trace.moveStarted">
        <source>Fahrt vom Panel gestartet</source>
        <translation>Move started from the panel</translation>
    </message>
    <message id="trace.note">
        <source>Position aus der Statusabfrage des aktiven Panels, nur solange der Motor läuft; Geschwindigkeit aus der Differenz aufeinanderfolgender Positionen. Die letzte Minute.</source>
        <translation>Position from the active panel's status poll, only while the motor runs; speed from the difference of successive positions. The last minute.</translation>
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
        <translation>Save as CS&amp;V...</translation>
    </message>
    <message id="trace.savePng">
        <source>Als P&amp;NG speichern...</source>
        <translation>Save as P&amp;NG...</translation>
    </message>
    <message id="trace.speed">
        <source>Geschwindigkeit</source>
        <translation>Speed</translation>
    </message>
    <message id="trace.title">
        <source>Live-Verlauf: %1</source>
        <translation>Live trace: %1</translation>
    </message>
    <message id="transfer.axisValue">
        <source>Achse</source>
        <translation>Axis</translation>
    </message>
    <message id="transfer.compareAxis">
        <source>Achse:</source>
        <translation>Axis:</translation>
    </message>
    <message id="transfer.compareButton">
        <source>&amp;Vergleichen</source>
        <translation>&amp;Compare</translation>
    </message>
    <message id="transfer.compareMenu">
        <source>Mit &amp;Achse vergleichen...</source>
        <translation>Compare with &amp;axis...</translation>
    </message>
    <message id="transfer.compareTitle">
        <source>Vergleich mit Achse</source>
        <translation>Comparison with axis</translation>
    </message>
    <message id="transfer.damaged">
        <source>Die Datei ist beschädigt (%1).&#10;Es wurde nichts gesendet.</source>
        <translation>The file is damaged (%1).&#10;Nothing was sent.</translation>
    </message>
    <message id="transfer.differences">
        <source>%1 Unterschied(e) (markiert).</source>
        <translation>%1 difference(s) (marked).</translation>
    </message>
    <message id="transfer.fileValue">
        <source>Datei</source>
        <translation>File</translation>
    </message>
    <message id="transfer.noDifferences">
        <source>Keine Unterschiede: eine Übertragung würde nichts ändern.</source>
        <translation>No differences: a transfer would change nothing.</translation>
    </message>
    <message id="transfer.notSent">
        <source>(wird nicht gesendet)</source>
        <translation>(not sent)</translation>
    </message>
    <message id="transfer.otherFamily">
        <source>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Trotzdem laden?</source>
        <translation>The file was saved from a %1 device.&#10;Ax(i)(e)s of another family: %2.&#10;Load anyway?</translation>
    </message>
    <message id="transfer.otherFamilyRefused">
        <source>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Es wurde nichts gesendet.</source>
        <translation>The file was saved from a %1 device.&#10;Ax(i)(e)s of another family: %2.&#10;Nothing was sent.</translation>
    </message>
    <message id="transfer.parameter">
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message id="transfer.plcDiffer">
        <source>SPS-Bereiche: verschieden in Slot %1</source>
        <translation>PLC areas: different in slot %1</translation>
    </message>
    <message id="transfer.plcDifferMore">
        <source>SPS-Bereiche: verschieden in %1 Slots (%2 …)</source>
        <translation>PLC areas: different in %1 slots (%2 …)</translation>
    </message>
    <message id="transfer.plcEqual">
        <source>SPS-Bereiche: gleich</source>
        <translation>PLC areas: equal</translation>
    </message>
    <message id="transfer.rampsDiffer">
        <source>Achse %1: verschiedene Rampen in Datei und Steuerung.&#10;Rampen neu programmieren?</source>
        <translation>Axis %1: different ramps in file and controller.&#10;Program ramps again?</translation>
    </message>
    <message id="transfer.readBackDiffers">
        <source>Achse %1 weicht nach dem Laden ab: %2</source>
        <translation>Axis %1 differs after loading: %2</translation>
    </message>
    <message id="transfer.readBackFailed">
        <source>Achse %1 konnte nicht zurückgelesen werden.</source>
        <translation>Axis %1 could not be read back.</translation>
    </message>
    <message id="transfer.refused">
        <source>Achse %1 hat %2 abgelehnt: %3</source>
        <translation>Axis %1 refused %2: %3</translation>
    </message>
    <message id="transfer.slot">
        <source>SPS-Slot</source>
        <translation>PLC slot</translation>
    </message>
    <message id="transfer.tablesDiffer">
        <source>Beschleunigungstabellen: verschieden</source>
        <translation>Acceleration tables: different</translation>
    </message>
    <message id="transfer.tablesEqual">
        <source>Beschleunigungstabellen: gleich</source>
        <translation>Acceleration tables: equal</translation>
    </message>
    <message id="transfer.unread">
        <source>Die Achse konnte nicht vollständig gelesen werden.</source>
        <translation>The axis could not be read completely.</translation>
    </message>
</context>
</TS>
