<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="de_DE">
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
        <translation>Commandes de dé&amp;placement (1/8 de pas)</translation>
    </message>
    <message id="10002">
        <source>Parameter (bzgl. Vollschritt)</source>
        <translation>Paramètres (pas entier)</translation>
    </message>
    <message id="10003">
        <source>St&amp;art-/Stopfr.:</source>
        <translation>Fréq. &amp;départ/arrêt:</translation>
    </message>
    <message id="10004">
        <source>Lauffre&amp;quenz:</source>
        <translation>Fré&amp;quence de marche:</translation>
    </message>
    <message id="10005">
        <source>Ra&amp;mpe:</source>
        <translation>Ra&amp;mpe:</translation>
    </message>
    <message id="10006">
        <source>Anlagent&amp;yp:</source>
        <translation>T&amp;ype d'installation:</translation>
    </message>
    <message id="10007">
        <source>&amp;Betriebsart:</source>
        <translation>Mode de fon&amp;ctionnement:</translation>
    </message>
    <message id="10008">
        <source>Streckenregister (bzgl. 1/8-Schritt)</source>
        <translation>Registres de position (1/8 de pas)</translation>
    </message>
    <message id="10009">
        <source>Aktuelle &amp;Istposition:</source>
        <translation>Pos&amp;ition actuelle:</translation>
    </message>
    <message id="10010">
        <source>Achsenbegrenz&amp;ung:</source>
        <translation>&amp;Limite d'axe:</translation>
    </message>
    <message id="10011">
        <source>Spie&amp;lausgleich:</source>
        <translation>Compensation du &amp;jeu:</translation>
    </message>
    <message id="10012">
        <source>Nullpunktoffset&#13;&#10;vom Initiator -</source>
        <translation>Décalage du zéro&#13;&#10;de l'initiateur -</translation>
    </message>
    <message id="10013">
        <source>Nullpunktoffset&#13;&#10;vom Initiator +</source>
        <translation>Décalage du zéro&#13;&#10;de l'initiateur +</translation>
    </message>
    <message id="10014">
        <source>Achsen-Kurzstatus</source>
        <translation>État bref de l'axe</translation>
    </message>
    <message id="10015">
        <source>Digital - I/O</source>
        <translation>Numérique - E/S</translation>
    </message>
    <message id="10016">
        <source>Achse pro&amp;grammieren</source>
        <translation>Pro&amp;grammer l'axe</translation>
    </message>
    <message id="10017">
        <source>&amp;Start</source>
        <translation>Dé&amp;part</translation>
    </message>
    <message id="10018">
        <source>Sto&amp;p</source>
        <translation>&amp;Arrêt</translation>
    </message>
    <message id="10019">
        <source>Str&amp;om &gt;&gt;</source>
        <translation>Coura&amp;nt &gt;&gt;</translation>
    </message>
    <message id="10020">
        <source>Default !</source>
        <translation>Défaut !</translation>
    </message>
    <message id="10021">
        <source>S&amp;tatus &gt;&gt;</source>
        <translation>É&amp;tat &gt;&gt;</translation>
    </message>
    <message id="10022">
        <source>&amp;Reset &gt;&gt;</source>
        <translation>&amp;Reset &gt;&gt;</translation>
    </message>
    <message id="10023">
        <source>Rampen &gt;&gt;</source>
        <translation>Rampes &gt;&gt;</translation>
    </message>
    <message id="10024">
        <source>SPS &gt;&gt;</source>
        <translation>API &gt;&gt;</translation>
    </message>
    <message id="10025">
        <source>Akt. Parameter speichern</source>
        <translation>Paramètres actuels</translation>
    </message>
    <message id="10027">
        <source>Optionale &amp;Zusatzkarte &gt;&gt;</source>
        <translation>Carte d'e&amp;xtension optionnelle &gt;&gt;</translation>
    </message>
    <message id="10028">
        <source>RS-Mo&amp;nitor &gt;&gt;</source>
        <translation>M&amp;oniteur RS &gt;&gt;</translation>
    </message>
    <message id="10030">
        <source>S&amp;chließen</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message id="10031">
        <source>Initiator +</source>
        <translation>Initiateur +</translation>
    </message>
    <message id="10032">
        <source>Initiator -</source>
        <translation>Initiateur -</translation>
    </message>
    <message id="10033">
        <source>Motor läuft</source>
        <translation>Moteur marche</translation>
    </message>
    <message id="10034">
        <source>Fehler: SFI</source>
        <translation>Erreur: SFI</translation>
    </message>
    <message id="10035">
        <source>Fehler: Endstufe</source>
        <translation>Erreur: Endstufe</translation>
    </message>
    <message id="10036">
        <source>Sonstiger Fehler</source>
        <translation>D'autres erreurs :</translation>
    </message>
    <message id="10037">
        <source>Hardware-Reset (Watchdog?)</source>
        <translation>Reset hardware (Watchdog?)</translation>
    </message>
    <message id="10038">
        <source>Initialisiere über Initiator +</source>
        <translation>Initialiser par l'initiateur +</translation>
    </message>
    <message id="10039">
        <source>Initialisiere über Initiator -</source>
        <translation>Initialiser par l'initiateur -</translation>
    </message>
    <message id="10040">
        <source>Positioniere absolut...</source>
        <translation>Positionner en absolu...</translation>
    </message>
    <message id="10041">
        <source>Verfahre relativ...</source>
        <translation>Déplacer en relatif...</translation>
    </message>
    <message id="10042">
        <source>Freier Lauf Richtung +</source>
        <translation>Marche libre direction +</translation>
    </message>
    <message id="10043">
        <source>Freier Lauf Richtung -</source>
        <translation>Marche libre direction -</translation>
    </message>
    <message id="10044">
        <source>Ein Schritt Richtung +</source>
        <translation>Un pas direction +</translation>
    </message>
    <message id="10045">
        <source>Ein Schritt Richtung -</source>
        <translation>Un pas direction -</translation>
    </message>
    <message id="10046">
        <source>&gt;&gt;&gt; nicht belegt &lt;&lt;&lt;</source>
        <translation>&gt;&gt;&gt; non utilisé &lt;&lt;&lt;</translation>
    </message>
    <message id="10047">
        <source>Rotatorisch</source>
        <translation>Rotatif</translation>
    </message>
    <message id="10048">
        <source>Linear</source>
        <translation>Linéaire</translation>
    </message>
    <message id="10049">
        <source>PC-Anschluss</source>
        <translation>Connexion PC</translation>
    </message>
    <message id="10050">
        <source>SPS-Modus</source>
        <translation>Mode API</translation>
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
        <translation>[Existant]</translation>
    </message>
    <message id="10056">
        <source>&amp;Stopstrom</source>
        <translation>Courant d'&amp;arrêt</translation>
    </message>
    <message id="10057">
        <source>&amp;Laufstrom</source>
        <translation>Courant de &amp;marche</translation>
    </message>
    <message id="10058">
        <source>&amp;Booststrom</source>
        <translation>Courant de &amp;boost</translation>
    </message>
    <message id="10059">
        <source>Überhöhungs&amp;zeit</source>
        <translation>&amp;Durée de boost</translation>
    </message>
    <message id="10060">
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message id="10061">
        <source>: Achsen - Gesamtstatus</source>
        <translation>: Axe - état global</translation>
    </message>
    <message id="10062">
        <source>Motor läuft</source>
        <translation>Moteur marche</translation>
    </message>
    <message id="10063">
        <source>Echter freier Lauf aktiv</source>
        <translation>Marche libre réelle active</translation>
    </message>
    <message id="10064">
        <source>Initialisierung läuft</source>
        <translation>Initialisation en cours</translation>
    </message>
    <message id="10065">
        <source>Initialisierung erfolgreich</source>
        <translation>Initialisation réussie</translation>
    </message>
    <message id="10066">
        <source>Initiator +</source>
        <translation>Initiateur +</translation>
    </message>
    <message id="10067">
        <source>Initiator -</source>
        <translation>Initiateur -</translation>
    </message>
    <message id="10068">
        <source>Fehler: Ausgangstreiber</source>
        <translation>Erreur: Pilote de sortie</translation>
    </message>
    <message id="10069">
        <source>Fehler: Endstufe</source>
        <translation>Erreur: Étage de puissance</translation>
    </message>
    <message id="10070">
        <source>Fehler: Initiatoren</source>
        <translation>Erreur: Initiateurs</translation>
    </message>
    <message id="10071">
        <source>Fehler: SFI</source>
        <translation>Erreur: SFI</translation>
    </message>
    <message id="10072">
        <source>Vorwarnung: Temperatur</source>
        <translation>Préalerte: température</translation>
    </message>
    <message id="10073">
        <source>Taktsperre aktiv!</source>
        <translation>Blocage des impulsions actif!</translation>
    </message>
    <message id="10074">
        <source>Empfangsfehler Achse</source>
        <translation>Erreur de réception axe</translation>
    </message>
    <message id="10075">
        <source>Speicherüberlauf</source>
        <translation>Débordement de mémoire</translation>
    </message>
    <message id="10076">
        <source>Paritätsfehler</source>
        <translation>Erreur de parité</translation>
    </message>
    <message id="10077">
        <source>Prüfsummenfehler</source>
        <translation>Erreur de somme de contrôle</translation>
    </message>
    <message id="10078">
        <source>Befehl gerade ungültig</source>
        <translation>Commande momentanément invalide</translation>
    </message>
    <message id="10079">
        <source>Unbekannter Befehl</source>
        <translation>Commande inconnue</translation>
    </message>
    <message id="10080">
        <source>Parameterwert unzulässig</source>
        <translation>Valeur de paramètre non admise</translation>
    </message>
    <message id="10081">
        <source>Statuscode:&#9;</source>
        <translation>Code d'état:&#9;</translation>
    </message>
    <message id="10082">
        <source>Bioscode:&#9;</source>
        <translation>Code BIOS:&#9;</translation>
    </message>
    <message id="10083">
        <source>Systemcode:&#9;</source>
        <translation>Code système:&#9;</translation>
    </message>
    <message id="10084">
        <source>Datumscode:&#9;</source>
        <translation>Code de date:&#9;</translation>
    </message>
    <message id="10085">
        <source>Hardware-Reset</source>
        <translation>Reset hardware</translation>
    </message>
    <message id="10086">
        <source>Kein System</source>
        <translation>Pas de système</translation>
    </message>
    <message id="10087">
        <source>Keine Rampen</source>
        <translation>Pas de rampes</translation>
    </message>
    <message id="10088">
        <source>Parameter geändert</source>
        <translation>Paramètres modifiés</translation>
    </message>
    <message id="10089">
        <source>Achse zurücksetzen</source>
        <translation>Réinitialiser l'axe</translation>
    </message>
    <message id="10090">
        <source>&amp;Ausgangstreiber</source>
        <translation>&amp;Pilote de sortie</translation>
    </message>
    <message id="10091">
        <source>&amp;Endstufe</source>
        <translation>&amp;Étage de puissance</translation>
    </message>
    <message id="10092">
        <source>&amp;Initiatoren</source>
        <translation>&amp;Initiateurs</translation>
    </message>
    <message id="10093">
        <source>&amp;SFI</source>
        <translation>&amp;SFI</translation>
    </message>
    <message id="10094">
        <source>&amp;Gesamte Anlage</source>
        <translation>Installation &amp;complète</translation>
    </message>
    <message id="10095">
        <source>&amp;Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message id="10096">
        <source>&amp;Update</source>
        <translation>&amp;Actualiser</translation>
    </message>
    <message id="10097">
        <source>Anlagen-Reset</source>
        <translation>Reset de l'installation</translation>
    </message>
    <message id="10098">
        <source>Gerät wird zurückgesetzt: Bitte warten...</source>
        <translation>Réinitialisation de l'appareil: Veuillez patienter...</translation>
    </message>
    <message id="10101">
        <source>Sende SPS-Programme</source>
        <translation>Envoie programmes d'API</translation>
    </message>
    <message id="10102">
        <source>Übertragene Programmnummer:&#9;</source>
        <translation>Numéro de programme transmis:&#9;</translation>
    </message>
    <message id="10103">
        <source>Schnittstelle Timeout!</source>
        <translation>Interface Timeout</translation>
    </message>
    <message id="10104">
        <source>Schnittstelle kann nicht geöffnet werden!</source>
        <translation>Interface ne peut pas être ouverte!</translation>
    </message>
    <message id="10105">
        <source>Die aktuellen Parameter werden duch interne Defaultwerte überschrieben</source>
        <translation>Les paramètres actuels sont écrasés par des valeurs objectives</translation>
    </message>
    <message id="10106">
        <source>Treiber-Reset erfolgreich durchgeführt</source>
        <translation>Reset du pilote effectué avec succès</translation>
    </message>
    <message id="10107">
        <source>Endstufen-Reset erfolgreich durchgeführt</source>
        <translation>Reset de l'étage de puissance effectué avec succès</translation>
    </message>
    <message id="10108">
        <source>Reset der Initiatoren erfolgreich durchgeführt</source>
        <translation>Reset des initiateurs effectué avec succès</translation>
    </message>
    <message id="10109">
        <source>Reset des SFI erfolgreich durchgeführt</source>
        <translation>Reset du SFI effectué avec succès</translation>
    </message>
    <message id="10110">
        <source>Sollen die derzeit aktuellen Parameter wirklich fest programmiert werden?</source>
        <translation>Voulez-vous vraiment programmer les paramètres actuels?</translation>
    </message>
    <message id="10111">
        <source>Soll der SPS-Bereich wirklich gelöscht werden?</source>
        <translation>Voulez-vous vraiment effacer la zone API?</translation>
    </message>
    <message id="10112">
        <source>Sollen die SPS-Zyklen wirklich neu programmiert werden?</source>
        <translation>Voulez-vous vraiment reprogrammer les cycles API?</translation>
    </message>
    <message id="10113">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programmation terminée avec succès</translation>
    </message>
    <message id="10114">
        <source>FEHLER: Programmieren fehlgeschlagen!</source>
        <translation>ERREUR: La programmation a échoué!</translation>
    </message>
    <message id="10115">
        <source>: SPS-Funktionalität</source>
        <translation>: Fonctions API</translation>
    </message>
    <message id="10116">
        <source>Fahrbefehl:</source>
        <translation>Commande de déplacement:</translation>
    </message>
    <message id="10117">
        <source>...nach / ...um:</source>
        <translation>...vers / ...de:</translation>
    </message>
    <message id="10118">
        <source>Offsetfreq.:</source>
        <translation>Fréq. offset:</translation>
    </message>
    <message id="10119">
        <source>Lauffreq.:</source>
        <translation>Fréq. marche:</translation>
    </message>
    <message id="10120">
        <source>Rampe:</source>
        <translation>Rampe:</translation>
    </message>
    <message id="10121">
        <source>&amp;Kopiere Fahrbefehl</source>
        <translation>&amp;Copier la commande</translation>
    </message>
    <message id="10122">
        <source>&amp;Programmieren</source>
        <translation>&amp;Programmer</translation>
    </message>
    <message id="10123">
        <source>! Alles löschen !</source>
        <translation>! Tout effacer !</translation>
    </message>
    <message id="10124">
        <source>&amp;Stop</source>
        <translation>&amp;Arrêt</translation>
    </message>
    <message id="10125">
        <source>SPS - Protokollsimulation</source>
        <translation>API - simulation du protocole</translation>
    </message>
    <message id="10126">
        <source>&amp;Anfang</source>
        <translation>&amp;Début</translation>
    </message>
    <message id="10127">
        <source>Soll dieser Fahrbefehl wirklich auf die nachfolgenden kopiert werden?</source>
        <translation>Voulez-vous vraiment copier cette commande de déplacement dans les suivantes?</translation>
    </message>
    <message id="10128">
        <source>&amp;Ende</source>
        <translation>Fi&amp;n</translation>
    </message>
    <message id="10129">
        <source>Programmnummer: </source>
        <translation>Numéro de programme: </translation>
    </message>
    <message id="10130">
        <source>: Ein- / Ausgänge</source>
        <translation>: Entrées / sorties</translation>
    </message>
    <message id="10131">
        <source>&amp;Befehl an Achse</source>
        <translation>&amp;Commande à l'axe</translation>
    </message>
    <message id="10132">
        <source>Pro&amp;tokolleinstellungen</source>
        <translation>Paramètres du pro&amp;tocole</translation>
    </message>
    <message id="10133">
        <source>Empfangene Daten</source>
        <translation>Données reçues</translation>
    </message>
    <message id="10134">
        <source>Anzeige &amp;Datenempfang</source>
        <translation>Affic&amp;hage des données reçues</translation>
    </message>
    <message id="10135">
        <source>&amp;Sende</source>
        <translation>&amp;Envoyer</translation>
    </message>
    <message id="10136">
        <source>Sto&amp;p</source>
        <translation>&amp;Arrêt</translation>
    </message>
    <message id="10137">
        <source>Nur STX / ETX</source>
        <translation>Seulement STX / ETX</translation>
    </message>
    <message id="10138">
        <source>STX / ETX und Prüfsumme</source>
        <translation>STX / ETX et somme de teste</translation>
    </message>
    <message id="10139">
        <source>STX / ETX und Adresse</source>
        <translation>STX / ETX et adresse</translation>
    </message>
    <message id="10140">
        <source>Volles Protokoll</source>
        <translation>Protocole plein</translation>
    </message>
    <message id="10141">
        <source>Nur Daten</source>
        <translation>Seulement des dates</translation>
    </message>
    <message id="10142">
        <source>Kurzstatus und Daten</source>
        <translation>Etat bref et données</translation>
    </message>
    <message id="10143">
        <source>Alle Zeichen anzeigen</source>
        <translation>Afficher tous cara.</translation>
    </message>
    <message id="10144">
        <source>: RS-Monitor</source>
        <translation>: Moniteur RS</translation>
    </message>
    <message id="10145">
        <source>: SFI - Optionen</source>
        <translation>: SFI - Options</translation>
    </message>
    <message id="10146">
        <source>Konfiguration</source>
        <translation>Configuration</translation>
    </message>
    <message id="10147">
        <source>&amp;Vorzugsrichtung</source>
        <translation>Direction &amp;préférée</translation>
    </message>
    <message id="10148">
        <source>plus</source>
        <translation>plus</translation>
    </message>
    <message id="10149">
        <source>minus</source>
        <translation>moins</translation>
    </message>
    <message id="10150">
        <source>&amp;Motorschrittzahl</source>
        <translation>Nombre de pas du &amp;moteur</translation>
    </message>
    <message id="10151">
        <source>&amp;Encoderstrichzahl</source>
        <translation>Nombre de traits du &amp;codeur</translation>
    </message>
    <message id="10152">
        <source>&amp;Programmieren</source>
        <translation>Pro&amp;grammer</translation>
    </message>
    <message id="10153">
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message id="10154">
        <source>&amp;Aktiviert</source>
        <translation>&amp;Activé</translation>
    </message>
    <message id="10155">
        <source>&amp;Deaktiviert</source>
        <translation>&amp;Désactivé</translation>
    </message>
    <message id="10156">
        <source>&amp;Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message id="10157">
        <source>Soll der SFI wirklich neu programmiert werden?</source>
        <translation>Voulez-vous vraiment reprogrammer le SFI?</translation>
    </message>
    <message id="10158">
        <source>Datei konnte nicht geöffnet werden!</source>
        <translation>Le fichier n'a pas pu être ouvert!</translation>
    </message>
    <message id="10159">
        <source>Soll der Reset der </source>
        <translation>Voulez-vous vraiment effectuer le reset de l'</translation>
    </message>
    <message id="10160">
        <source> wirklich durchgeführt werden?</source>
        <translation>?</translation>
    </message>
    <message id="10161">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programmation terminée avec succès</translation>
    </message>
    <message id="10162">
        <source>SFI Programmierung</source>
        <translation>Programmation SFI</translation>
    </message>
    <message id="10163">
        <source>Programmierung läuft... Bitte warten</source>
        <translation>Programmation en cours... Veuillez patienter</translation>
    </message>
    <message id="10164">
        <source>: Rampen programmieren</source>
        <translation>: Programmation des rampes</translation>
    </message>
    <message id="10165">
        <source>Nicht genügend freien Speicher&#13;&#10;für Rampenberechnung</source>
        <translation>Pas assez de mémoire libre&#13;&#10;pour le calcul de rampe</translation>
    </message>
    <message id="10166">
        <source>Programmierung erfolgreich abgeschlossen</source>
        <translation>Programmation terminée avec succès</translation>
    </message>
    <message id="10167">
        <source>Programmierung fehlgeschlagen!</source>
        <translation>La programmation a échoué!</translation>
    </message>
    <message id="10168">
        <source>Sende Rampendaten. Bitte warten...                Rampe: </source>
        <translation>Envoi des données de rampe. Veuillez patienter...                Rampe: </translation>
    </message>
    <message id="10169">
        <source>Sollen wirklich die internen Defaultrampen programmiert werden?&#10;&#10;ACHTUNG: Auch der SPS-Bereich wird gelöscht!</source>
        <translation>Voulez-vous vraiment programmer les rampes internes par défaut?&#10;&#10;ATTENTION: La zone API est également effacée!</translation>
    </message>
    <message id="10170">
        <source>Zu wenig freier Rampenspeicher im Gerät!</source>
        <translation>Mémoire de rampes libre insuffisante dans l'appareil!</translation>
    </message>
    <message id="10171">
        <source>ACHTUNG: Auch der SPS-Bereich wird gelöscht!&#13;&#10;&#10;Sollen die ausgewählten Rampen wirklich gelöscht werden?</source>
        <translation>ATTENTION: La zone API est également effacée!&#13;&#10;&#10;Voulez-vous vraiment effacer les rampes sélectionnées?</translation>
    </message>
    <message id="10172">
        <source>Lese SPS-Sequenzen. Bitte warten...</source>
        <translation>Lit les séquences de l'API. Attendez s'il vous plaît…</translation>
    </message>
    <message id="10173">
        <source>Stufe</source>
        <translation>Niveau</translation>
    </message>
    <message id="10174">
        <source>Werte übernehmen</source>
        <translation>Reprendre les valeurs</translation>
    </message>
    <message id="10175">
        <source>Speichern fehlgeschlagen!&#13;&#10;Daten von der Steuerung konnten nicht empfangen werden</source>
        <translation>La sauvegarde a échoué!&#13;&#10;Les données ne pouvaient pas être reçues.</translation>
    </message>
    <message id="10180">
        <source>; Veltrax Parameterdatei vom </source>
        <translation>; Fichier de paramètres Veltrax de </translation>
    </message>
    <message id="10181">
        <source>; ---------------------------------------------------&#13;&#10;;&#13;&#10;</source>
        <translation>; ---------------------------------------------------&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10182">
        <source>; [Kommentar]&#13;&#10;;&#13;&#10;;&#13;&#10;;&#13;&#10;</source>
        <translation>; [Commentaire]&#13;&#10;;&#13;&#10;;&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10187">
        <source>; [Achsparameter]&#13;&#10;;&#13;&#10;</source>
        <translation>; [Paramètres d'axes]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10188">
        <source>; [Beschleunigungstabelle]&#13;&#10;;&#13;&#10;</source>
        <translation>; [Tableau d'accélération]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10189">
        <source>; [bitte nicht ändern   ]:</source>
        <translation>; [Ne pas changer, s'il vous plaît   ]:</translation>
    </message>
    <message id="10190">
        <source>; [SPS-Sequenzen]&#13;&#10;;&#13;&#10;</source>
        <translation>; [Séquences de l'API]&#13;&#10;;&#13;&#10;</translation>
    </message>
    <message id="10191">
        <source>; Rampe </source>
        <translation>; Rampe </translation>
    </message>
    <message id="10192">
        <source>Verschiedene Rampen in Datei und Steuerung.&#13;&#10;Rampen neu programmieren?</source>
        <translation>Voulez-vous reprogrammer des rampes&#13;&#10;différentes de fichier et contrôleur?</translation>
    </message>
    <message id="10193">
        <source>Keine Adresse ausgewählt!</source>
        <translation>Pas d'adresse choisie!</translation>
    </message>
    <message id="10194">
        <source>Achse(n) </source>
        <translation>Axe(s) </translation>
    </message>
    <message id="10195">
        <source> erfolgreich geladen.</source>
        <translation> Chargé avec succès.</translation>
    </message>
    <message id="10196">
        <source>Achse(n) konnten nicht geladen werden!</source>
        <translation>Axe(s) ne pouvaient pas être chargés</translation>
    </message>
    <message id="10200">
        <source>KORMAK: Konfiguration von Achse </source>
        <translation>KORMAK: Configuration de l'axe </translation>
    </message>
    <message id="10201">
        <source>Geräteabhängige Daten&#13;&#10;&#10;</source>
        <translation>Données spécifiques à l'appareil&#13;&#10;&#10;</translation>
    </message>
    <message id="10202">
        <source>Programmversion:&#9;&#9;&#9;</source>
        <translation>Version du programme:&#9;&#9;&#9;</translation>
    </message>
    <message id="10203">
        <source>Allgemeine Parameter&#13;&#10;&#10;</source>
        <translation>Paramètres généraux&#13;&#10;&#10;</translation>
    </message>
    <message id="10204">
        <source>Start-/Stopfrequenz:&#9;&#9;&#9;</source>
        <translation>Fréquence départ/arrêt:&#9;&#9;&#9;</translation>
    </message>
    <message id="10205">
        <source>Lauffrequenz:&#9;&#9;&#9;&#9;</source>
        <translation>Fréquence de marche:&#9;&#9;&#9;</translation>
    </message>
    <message id="10206">
        <source>Betriebsart:&#9;&#9;&#9;&#9;</source>
        <translation>Mode de fonctionnement:&#9;&#9;&#9;</translation>
    </message>
    <message id="10207">
        <source>Anlagentyp:&#9;&#9;&#9;&#9;</source>
        <translation>Type d'installation:&#9;&#9;&#9;</translation>
    </message>
    <message id="10208">
        <source>Achsbegrenzung:&#9;&#9;&#9;</source>
        <translation>Limite d'axe:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10209">
        <source>Spindelspiel:&#9;&#9;&#9;&#9;</source>
        <translation>Jeu de broche:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10210">
        <source>Nullpunktoffset vom...&#13;&#10;</source>
        <translation>Décalage du point zéro depuis...&#13;&#10;</translation>
    </message>
    <message id="10211">
        <source>...Initiator -:&#9;&#9;&#9;&#9;</source>
        <translation>...l'initiateur -:&#9;&#9;&#9;</translation>
    </message>
    <message id="10212">
        <source>...Initiator +:&#9;&#9;&#9;&#9;</source>
        <translation>...l'initiateur +:&#9;&#9;&#9;</translation>
    </message>
    <message id="10213">
        <source>Achtelschritte</source>
        <translation>1/8 de pas</translation>
    </message>
    <message id="10214">
        <source>Steuerungstyp:&#9;&#9;&#9;&#9;</source>
        <translation>Type de contrôleur:&#9;&#9;&#9;</translation>
    </message>
    <message id="10215">
        <source>Stromeinstellungen&#13;&#10;&#10;</source>
        <translation>Réglages du courant&#13;&#10;&#10;</translation>
    </message>
    <message id="10216">
        <source>Überhöhungszeit:&#9;&#9;&#9;</source>
        <translation>Durée de boost:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10217">
        <source>Stopstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Courant d'arrêt:&#9;&#9;&#9;</translation>
    </message>
    <message id="10218">
        <source>Laufstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Courant de marche:&#9;&#9;&#9;</translation>
    </message>
    <message id="10219">
        <source>Booststrom:&#9;&#9;&#9;&#9;</source>
        <translation>Courant de boost:&#9;&#9;&#9;</translation>
    </message>
    <message id="10220">
        <source>Rampenparameter&#13;&#10;&#10;</source>
        <translation>Paramètres de rampe&#13;&#10;&#10;</translation>
    </message>
    <message id="10221">
        <source>Insgesamt:&#9;&#9;&#9;&#9;</source>
        <translation>Total:&#9;&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10222">
        <source>Aktuelle Rampe:&#9;&#9;&#9;</source>
        <translation>Rampe actuelle:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10223">
        <source>Rampe </source>
        <translation>Rampe </translation>
    </message>
    <message id="10224">
        <source>Fehler beim Erstellen des Ausdrucks!</source>
        <translation>Erreur lors de l'impression!</translation>
    </message>
    <message id="10225">
        <source>SPS-Zyklus: </source>
        <translation>Cycle API: </translation>
    </message>
    <message id="10226">
        <source>Nullpunktoffset:&#9;&#9;&#9;&#9;</source>
        <translation>Décalage du zéro:&#9;&#9;&#9;</translation>
    </message>
    <message id="10227">
        <source>Offsetfrequenz:&#9;&#9;&#9;&#9;</source>
        <translation>Fréquence offset:&#9;&#9;&#9;</translation>
    </message>
    <message id="10228">
        <source>Fahrbefehl:&#9;&#9;&#9;&#9;</source>
        <translation>Commande de déplacement:&#9;&#9;</translation>
    </message>
    <message id="10229">
        <source>Rampe:&#9;&#9;&#9;&#9;&#9;</source>
        <translation>Rampe:&#9;&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10230">
        <source>Initialisiere über Initiator </source>
        <translation>Initialiser par l'initiateur </translation>
    </message>
    <message id="10231">
        <source>Fahre auf Position </source>
        <translation>Aller à la position </translation>
    </message>
    <message id="10232">
        <source>Verfahre um </source>
        <translation>Déplacer de </translation>
    </message>
    <message id="10233">
        <source>Freier Lauf in Richtung Initiator </source>
        <translation>Marche libre en direction de l'initiateur </translation>
    </message>
    <message id="10234">
        <source>Verfahre ein Achtelschritt in Richtung Initiator </source>
        <translation>Déplacer d'un 1/8 de pas en direction de l'initiateur </translation>
    </message>
    <message id="10235">
        <source>Index </source>
        <translation>Index </translation>
    </message>
    <message id="10236">
        <source> (entspricht </source>
        <translation> (correspond à </translation>
    </message>
    <message id="10237">
        <source>KORMAK: Offline Konfiguration</source>
        <translation>KORMAK: Configuration hors ligne</translation>
    </message>
    <message id="10238">
        <source>Keine Daten!&#13;&#10;</source>
        <translation>Pas de données!&#13;&#10;</translation>
    </message>
    <message id="10239">
        <source>Parameter wurden geändert!&#13;&#10;Trotzdem schließen?</source>
        <translation>Les paramètres ont été changés!&#13;&#10;Fermer quand même?</translation>
    </message>
    <message id="10240">
        <source>Baudrate erfolgreich umgeschaltet</source>
        <translation>La vitesse de transmission en bauds a été changée avec succès.</translation>
    </message>
    <message id="10241">
        <source>Defaultrampen programmieren</source>
        <translation>Programmer les rampes par défaut</translation>
    </message>
    <message id="10242">
        <source>Rampen werden programmiert: Bitte warten...</source>
        <translation>Programmation des rampes: Veuillez patienter...</translation>
    </message>
    <message id="10243">
        <source>Bitte nur Zahlen eingeben!</source>
        <translation>N'utilisez que des chiffres s'il vous plaît!</translation>
    </message>
    <message id="10244">
        <source>Eingabefehler</source>
        <translation>Erreur d'entrée</translation>
    </message>
    <message id="10245">
        <source>Aktuelle Baudrate</source>
        <translation>Vitesse de transmission en bauds actuelle</translation>
    </message>
    <message id="10246">
        <source>Neue Baudrate</source>
        <translation>Vitesse de transmission en bauds nouvelle</translation>
    </message>
    <message id="10247">
        <source>: Baudrate ändern</source>
        <translation>: Changer la vitesse de transmission en bauds</translation>
    </message>
    <message id="10248">
        <source>Weitere Rampen&#13;&#10;können nicht mehr&#13;&#10;programmiert&#13;&#10;werden</source>
        <translation>Aucune autre&#13;&#10;rampe ne peut&#13;&#10;plus être&#13;&#10;programmée</translation>
    </message>
    <message id="10249">
        <source>Markieren Sie&#13;&#10;links die Rampen,&#13;&#10;die gelöscht&#13;&#10;werden sollen&#13;&#10;&#10;&#10;! Achtung !&#13;&#10;&#10;Der SPS-Bereich&#13;&#10;wird immer mit&#13;&#10;gelöscht!</source>
        <translation>Marquez à&#13;&#10;gauche les rampes&#13;&#10;à effacer&#13;&#10;&#10;&#10;! Attention !&#13;&#10;&#10;La zone API&#13;&#10;est toujours&#13;&#10;effacée aussi!</translation>
    </message>
    <message id="10250">
        <source>&gt;&gt; Keine Rampen ! &lt;&lt;</source>
        <translation>&gt;&gt; Pas de rampes ! &lt;&lt;</translation>
    </message>
    <message id="10251">
        <source>&amp;Löschen !</source>
        <translation>&amp;Effacer !</translation>
    </message>
    <message id="10252">
        <source>Freier Speicher:</source>
        <translation>Mémoire libre:</translation>
    </message>
    <message id="10253">
        <source>&amp;Neue Rampe:</source>
        <translation>&amp;Nouvelle rampe:</translation>
    </message>
    <message id="10254">
        <source>Programmierte Rampen</source>
        <translation>Rampes programmées</translation>
    </message>
    <message id="10255">
        <source>&amp;Berechnen</source>
        <translation>&amp;Calculer</translation>
    </message>
    <message id="10256">
        <source>...benötigt an&#13;&#10;freiem Speicher:</source>
        <translation>...nécessite en&#13;&#10;mémoire libre:</translation>
    </message>
    <message id="10257">
        <source>&amp;Interne Rampen</source>
        <translation>Rampes &amp;internes</translation>
    </message>
    <message id="10258">
        <source>&amp;Lösche Rampe...</source>
        <translation>&amp;Effacer rampe...</translation>
    </message>
    <message id="10259">
        <source>&amp;Abbruch</source>
        <translation>&amp;Abandon</translation>
    </message>
    <message id="10260">
        <source>Empfangsbuffer Überlauf!</source>
        <translation>Buffer de réception Déversior!</translation>
    </message>
    <message id="10261">
        <source>Steuerungsparameter wurden geändert!&#13;&#10;Sollen die Parameter gespeichert werden?</source>
        <translation>Paramètres ont été changés!&#13;&#10;Fermer quand même?</translation>
    </message>
    <message id="10262">
        <source>Istposition</source>
        <translation>Position actuelle</translation>
    </message>
    <message id="10263">
        <source>Ü&amp;bertragen</source>
        <translation>Transférer</translation>
    </message>
    <message id="10264">
        <source>Info über Kormak...</source>
        <translation>A propos de Kormak...</translation>
    </message>
    <message id="10265">
        <source>: Erweiterte SPS Funktionalität</source>
        <translation>: Fonctions API avancées</translation>
    </message>
    <message id="10266">
        <source>Pause in ms...</source>
        <translation>Pause en ms...</translation>
    </message>
    <message id="10267">
        <source>Sprungbefehl zu Sequenz...</source>
        <translation>Saut vers la séquence...</translation>
    </message>
    <message id="10268">
        <source>Stopstrom...</source>
        <translation>Courant d'arrêt...</translation>
    </message>
    <message id="10269">
        <source>Laufstrom...</source>
        <translation>Courant de marche...</translation>
    </message>
    <message id="10270">
        <source>Booststrom...</source>
        <translation>Courant de boost...</translation>
    </message>
    <message id="10271">
        <source>Überhöhungszeit...</source>
        <translation>Durée de boost...</translation>
    </message>
    <message id="10272">
        <source>Istposition...</source>
        <translation>Position actuelle...</translation>
    </message>
    <message id="10273">
        <source>Start/Stop Frequenz...</source>
        <translation>Fréquence départ/arrêt...</translation>
    </message>
    <message id="10274">
        <source>Lauffrequenz...</source>
        <translation>Fréquence de marche...</translation>
    </message>
    <message id="10275">
        <source>Rampe...</source>
        <translation>Rampe...</translation>
    </message>
    <message id="10276">
        <source>Reset Endstufe</source>
        <translation>Reset étage de puissance</translation>
    </message>
    <message id="10277">
        <source>Reset Initiatoren</source>
        <translation>Reset initiateurs</translation>
    </message>
    <message id="10278">
        <source>Reset Ausgangstreiber</source>
        <translation>Reset pilote de sortie</translation>
    </message>
    <message id="10279">
        <source>Reset gesamte Anlage</source>
        <translation>Reset installation complète</translation>
    </message>
    <message id="10280">
        <source>Reset SFI</source>
        <translation>Reset SFI</translation>
    </message>
    <message id="10281">
        <source>SPS Erw. &gt;&gt;</source>
        <translation>API étendu &gt;&gt;</translation>
    </message>
    <message id="10282">
        <source>Erweiterte SPS Sequenz:&#9;&#9;</source>
        <translation>Séquence API étendue:&#9;&#9;</translation>
    </message>
    <message id="10283">
        <source>Positionszähler setzen auf:&#9;&#9;</source>
        <translation>Régler le compteur de position sur:&#9;&#9;</translation>
    </message>
    <message id="10284">
        <source>Wartezeit in ms:&#9;&#9;&#9;</source>
        <translation>Temps d'attente en ms:&#9;&#9;&#9;</translation>
    </message>
    <message id="10285">
        <source>Sprungbefehl zu Sequenz:&#9;&#9;</source>
        <translation>Saut vers la séquence:&#9;&#9;&#9;</translation>
    </message>
    <message id="10286">
        <source>Stopstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Courant d'arrêt:&#9;&#9;&#9;</translation>
    </message>
    <message id="10287">
        <source>Laufstrom:&#9;&#9;&#9;&#9;</source>
        <translation>Courant de marche:&#9;&#9;&#9;</translation>
    </message>
    <message id="10288">
        <source>Booststrom:&#9;&#9;&#9;&#9;</source>
        <translation>Courant de boost:&#9;&#9;&#9;</translation>
    </message>
    <message id="10289">
        <source>Überhöhungszeit:&#9;&#9;&#9;</source>
        <translation>Durée de boost:&#9;&#9;&#9;&#9;</translation>
    </message>
    <message id="10290">
        <source>Reset Endstufe</source>
        <translation>Reset étage de puissance</translation>
    </message>
    <message id="10291">
        <source>Reset Initiator</source>
        <translation>Reset initiateurs</translation>
    </message>
    <message id="10292">
        <source>Reset Ausgangstreiber</source>
        <translation>Reset pilote de sortie</translation>
    </message>
    <message id="10293">
        <source>Reset gesamte Anlage</source>
        <translation>Reset installation complète</translation>
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
        <translation>Prêt</translation>
    </message>
    <message id="59142">
        <source>Fortschritt</source>
        <translation>Progression</translation>
    </message>
    <message id="61697">
        <source>Das Dokument konnte nicht geöffnet werden.</source>
        <translation>Impossible d'ouvrir le document.</translation>
    </message>
    <message id="about.maker">
        <source>Veltrax GmbH&#10;Konfiguration, Test und Programmierung von Schrittmotorsteuerungen</source>
        <translation>Veltrax GmbH&#10;Configuration, test et programmation de commandes de moteurs pas à pas</translation>
    </message>
    <message id="axis.notCurrent">
        <source>Nicht aktuell: keine Verbindung zur Achse</source>
        <translation>Pas à jour : pas de liaison avec l'axe</translation>
    </message>
    <message id="bar.axes">
        <source>Achsenleiste</source>
        <translation>Barre des axes</translation>
    </message>
    <message id="baud.lostAtNew">
        <source>Keine Antwort auf %1, aber die Achse antwortet jetzt mit %2 Baud.</source>
        <translation>Pas de réponse à %1, mais l'axe répond maintenant à %2 bauds.</translation>
    </message>
    <message id="baud.lostAtOld">
        <source>Keine Antwort auf %1; die Achse antwortet weiterhin mit %2 Baud.</source>
        <translation>Pas de réponse à %1 ; l'axe répond toujours à %2 bauds.</translation>
    </message>
    <message id="baud.lostNowhere">
        <source>Keine Antwort auf %1, und die Achse antwortet weder mit %2 noch mit %3 Baud.</source>
        <translation>Pas de réponse à %1, et l'axe ne répond ni à %2 ni à %3 bauds.</translation>
    </message>
    <message id="button.cancel">
        <source>Abbrechen</source>
        <translation>Annuler</translation>
    </message>
    <message id="button.no">
        <source>&amp;Nein</source>
        <translation>&amp;Non</translation>
    </message>
    <message id="button.ok">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="button.yes">
        <source>&amp;Ja</source>
        <translation>&amp;Oui</translation>
    </message>
    <message id="cli.noReply">
        <source>Keine Antwort von Achse %1 bei %2 Baud.</source>
        <translation>Pas de réponse de l'axe %1 à %2 bauds.</translation>
    </message>
    <message id="file.damaged">
        <source>Die Datei ist beschädigt (%1).&#10;Sie kann nicht in eine Achse geladen werden.</source>
        <translation>Le fichier est endommagé (%1).&#10;Il ne peut pas être chargé dans un axe.</translation>
    </message>
    <message id="file.damagedLine">
        <source>Zeile %1: „%2“</source>
        <translation>ligne %1 : « %2 »</translation>
    </message>
    <message id="file.damagedMissing">
        <source>„%1“ fehlt</source>
        <translation>« %1 » manque</translation>
    </message>
    <message id="file.damagedValue">
        <source>Wert „%1“</source>
        <translation>valeur « %1 »</translation>
    </message>
    <message id="file.saveChanges">
        <source>Änderungen an %1 speichern?</source>
        <translation>Enregistrer les modifications de %1 ?</translation>
    </message>
    <message id="file.saveFailed">
        <source>Die Datei konnte nicht gespeichert werden:&#10;%1</source>
        <translation>Le fichier n'a pas pu être enregistré:&#10;%1</translation>
    </message>
    <message id="indicator.caps">
        <source>UF</source>
        <translation>MAJ</translation>
    </message>
    <message id="indicator.num">
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message id="indicator.scroll">
        <source>RF</source>
        <translation>DEF</translation>
    </message>
    <message id="link.accessDenied">
        <source>Keine Zugriffsrechte für %1. Der Benutzer muss Mitglied der Gruppe „%2“ sein, der das Gerät gehört (unter Debian „dialout“), und sich danach neu anmelden.</source>
        <translation>Pas de droits d'accès pour %1. L'utilisateur doit être membre du groupe «%2» propriétaire du périphérique («dialout» sous Debian), puis se reconnecter.</translation>
    </message>
    <message id="link.badNetworkName">
        <source>„%1“ ist kein Netzwerkanschluss: erwartet rfc2217://RECHNER:PORT oder socket://RECHNER:PORT.</source>
        <translation>« %1 » n'est pas un port réseau : attendu rfc2217://HÔTE:PORT ou socket://HÔTE:PORT.</translation>
    </message>
    <message id="link.connectTimeout">
        <source>Keine Verbindung zu %1, Port %2: keine Antwort innerhalb von %3 s.</source>
        <translation>Pas de connexion à %1, port %2 : aucune réponse en %3 s.</translation>
    </message>
    <message id="link.connectionRefused">
        <source>%1 nimmt keine Verbindung an: dort wartet kein Serverdienst.</source>
        <translation>%1 refuse la connexion : aucun serveur de port série n'y écoute.</translation>
    </message>
    <message id="link.gone">
        <source>Keine Verbindung zur Schnittstelle: Es wurde nichts gesendet. Bitte Kabel und Adapter prüfen und die Achse neu verbinden.</source>
        <translation>Pas de connexion à l'interface : rien n'a été envoyé. Vérifiez le câble et l'adaptateur, puis reconnectez l'axe.</translation>
    </message>
    <message id="link.hostNotFound">
        <source>Rechner %1 nicht gefunden.</source>
        <translation>Hôte %1 introuvable.</translation>
    </message>
    <message id="link.networkFailed">
        <source>Die Verbindung zu %1 ist gescheitert.</source>
        <translation>La connexion à %1 a échoué.</translation>
    </message>
    <message id="link.noRateControl">
        <source>%1 kann die Baudrate nicht einstellen (kein RFC 2217). Mit fester Baudrate: socket://%1</source>
        <translation>%1 ne peut pas régler le débit (pas de RFC 2217). À débit fixe : socket://%1</translation>
    </message>
    <message id="link.openFailedReason">
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message id="link.ownerOnly">
        <source>Keine Zugriffsrechte für %1: Nur der Besitzer des Geräts darf es öffnen; die Mitgliedschaft in einer Gruppe hilft hier nicht. Der Administrator muss die Rechte des Geräts ändern.</source>
        <translation>Pas de droits d'accès pour %1 : seul le propriétaire du périphérique peut l'ouvrir ; l'appartenance à un groupe n'y change rien. L'administrateur doit modifier les droits du périphérique.</translation>
    </message>
    <message id="link.portInUse">
        <source>%1 wird bereits von einem anderen Programm benutzt.</source>
        <translation>%1 est déjà utilisée par un autre programme.</translation>
    </message>
    <message id="link.portLost">
        <source>Verbindung zur Schnittstelle verloren! Bitte Kabel und Adapter prüfen.</source>
        <translation>Connexion à l'interface perdue! Veuillez vérifier le câble et l'adaptateur.</translation>
    </message>
    <message id="machine.axisFailed">
        <source>Achse %1 wurde nicht wiederhergestellt.</source>
        <translation>L&apos;axe %1 n&apos;a pas été restauré.</translation>
    </message>
    <message id="machine.backupFailed">
        <source>Achse %1 antwortete, konnte aber nicht gesichert werden; es wurde kein machine.json geschrieben.</source>
        <translation>L&apos;axe %1 a répondu mais n&apos;a pas pu être sauvegardé ; aucun machine.json n&apos;a été écrit.</translation>
    </message>
    <message id="machine.folderRefused">
        <source>Der Ordner wird nicht wiederhergestellt; es wurde nichts gesendet:</source>
        <translation>Le dossier n&apos;est pas restauré ; rien n&apos;a été envoyé :</translation>
    </message>
    <message id="machine.noFolder">
        <source>Der Ordner kann nicht angelegt werden.</source>
        <translation>Le dossier ne peut pas être créé.</translation>
    </message>
    <message id="machine.notSaved">
        <source>Nicht gesichert: %1. Es wurde kein machine.json geschrieben.</source>
        <translation>Non sauvegardés : %1. Aucun machine.json n&apos;a été écrit.</translation>
    </message>
    <message id="machine.otherFamily">
        <source>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot;: eine andere Gerätefamilie.</source>
        <translation>L&apos;axe %1 indique « %2 », la sauvegarde provient de « %3 » : une autre famille d&apos;appareils.</translation>
    </message>
    <message id="machine.otherType">
        <source>Achse %1 meldet &quot;%2&quot;, gesichert wurde &quot;%3&quot; (dieselbe Familie). Trotzdem laden?</source>
        <translation>L&apos;axe %1 indique « %2 », la sauvegarde provient de « %3 » (même famille). Charger quand même ?</translation>
    </message>
    <message id="machine.question">
        <source>Diese Achsen mit den Dateien des Ordners überschreiben?</source>
        <translation>Écraser ces axes avec les fichiers du dossier ?</translation>
    </message>
    <message id="machine.restoreRefused">
        <source>Die Wiederherstellung wurde abgelehnt; es wurde nichts gesendet.</source>
        <translation>La restauration a été refusée ; rien n&apos;a été envoyé.</translation>
    </message>
    <message id="machine.restored">
        <source>Wiederhergestellt: %1
Nicht wiederhergestellt: %2</source>
        <translation>Restaurés : %1
Non restaurés : %2</translation>
    </message>
    <message id="machine.restoring">
        <source>Achse %1 wird wiederhergestellt...</source>
        <translation>Restauration de l&apos;axe %1...</translation>
    </message>
    <message id="machine.saved">
        <source>Gesichert: %1
Nicht vorhanden: %2</source>
        <translation>Sauvegardés : %1
Absents : %2</translation>
    </message>
    <message id="machine.saving">
        <source>Achse %1 wird gesichert...</source>
        <translation>Sauvegarde de l&apos;axe %1...</translation>
    </message>
    <message id="machine.silent">
        <source>Achse %1 antwortet bei keiner Baudrate.</source>
        <translation>L&apos;axe %1 ne répond à aucun débit.</translation>
    </message>
    <message id="menu.32814">
        <source>&amp;Baudrate ändern</source>
        <translation>&amp;Changer la vitesse de transmission</translation>
    </message>
    <message id="menu.32817">
        <source>&amp;Drucken&#9;Strg+P</source>
        <translation>&amp;Imprimer&#9;Ctrl+P</translation>
    </message>
    <message id="menu.32829">
        <source>&amp;Deutsch</source>
        <translation>&amp;Allemand</translation>
    </message>
    <message id="menu.32830">
        <source>&amp;Englisch</source>
        <translation>An&amp;glais</translation>
    </message>
    <message id="menu.32834">
        <source>&amp;Französisch</source>
        <translation>&amp;Français</translation>
    </message>
    <message id="menu.57600">
        <source>&amp;Neu</source>
        <translation>&amp;Nouveau</translation>
    </message>
    <message id="menu.57601">
        <source>Ö&amp;ffnen...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message id="menu.57602">
        <source>&amp;Schließen</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message id="menu.57603">
        <source>&amp;Speichern</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message id="menu.57604">
        <source>Speichern &amp;unter...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message id="menu.57616">
        <source>Zuletzt geöffnete Datei</source>
        <translation>Fichier récent</translation>
    </message>
    <message id="menu.57649">
        <source>&amp;Symbole anordnen</source>
        <translation>&amp;Réorganiser les icônes</translation>
    </message>
    <message id="menu.57650">
        <source>Ü&amp;berlappend</source>
        <translation>&amp;Cascade</translation>
    </message>
    <message id="menu.57651">
        <source>&amp;Nebeneinander</source>
        <translation>&amp;Mosaïque</translation>
    </message>
    <message id="menu.57664">
        <source>&amp;Info über Kormak...</source>
        <translation>&amp;A propos de Kormak...</translation>
    </message>
    <message id="menu.57665">
        <source>&amp;Beenden</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message id="menu.59392">
        <source>&amp;Symbolleiste</source>
        <translation>&amp;Barre d'outils</translation>
    </message>
    <message id="menu.59393">
        <source>Status&amp;leiste</source>
        <translation>Barre d'é&amp;tat</translation>
    </message>
    <message id="menu.axisToolBar">
        <source>&amp;Achsen-Symbolleiste</source>
        <translation>Barre d'outils des &amp;axes</translation>
    </message>
    <message id="menu.file">
        <source>&amp;Datei</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message id="menu.help">
        <source>&amp;Hilfe</source>
        <translation>&amp;Aide</translation>
    </message>
    <message id="menu.language">
        <source>&amp;Sprache</source>
        <translation>&amp;Langue</translation>
    </message>
    <message id="menu.options">
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message id="menu.readBack">
        <source>Nach dem Übertragen zurücklesen</source>
        <translation>Relire après la transmission</translation>
    </message>
    <message id="menu.restoreMachine">
        <source>Maschine wiederherstellen...</source>
        <translation>Restaurer la machine...</translation>
    </message>
    <message id="menu.saveAllAxes">
        <source>Alle Achsen sichern...</source>
        <translation>Sauvegarder tous les axes...</translation>
    </message>
    <message id="menu.trace">
        <source>Live-&amp;Verlauf...</source>
        <translation>Tracé en &amp;direct...</translation>
    </message>
    <message id="menu.view">
        <source>&amp;Ansicht</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message id="menu.window">
        <source>&amp;Fenster</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message id="plc.eraseAnsweredNo">
        <source>Die Steuerung hat das Löschen des SPS-Bereichs mit „NO“ abgelehnt; kein Slot wurde geschrieben.</source>
        <translation>Le contrôleur a répondu « NO » à l'effacement de la zone API ; aucun slot n'a été écrit.</translation>
    </message>
    <message id="plc.listingLine">
        <source>Zeile %1: %2</source>
        <translation>Ligne %1 : %2</translation>
    </message>
    <message id="plc.listingNoSlot">
        <source>Die Datei enthält keine Slotzeile („NN Text“, „EW“ oder „WU“) und ist kein Abzug eines leeren Bereichs. Es wurde nichts gesendet.</source>
        <translation>Le fichier ne contient aucune ligne de slot (« NN texte », « EW » ou « WU ») et n'est pas l'extrait d'une zone vide. Rien n'a été envoyé.</translation>
    </message>
    <message id="plc.listingNotSlotLine">
        <source>weder eine Slotzeile („NN Text“) noch eine Zeile einer Parameterdatei: „%1“. Es wurde nichts gesendet.</source>
        <translation>ni une ligne de slot (« NN texte ») ni une ligne d'un fichier de paramètres : « %1 ». Rien n'a été envoyé.</translation>
    </message>
    <message id="plc.listingSlotTwice">
        <source>Slot %1 steht schon in Zeile %2. Es wurde nichts gesendet.</source>
        <translation>le slot %1 figure déjà à la ligne %2. Rien n'a été envoyé.</translation>
    </message>
    <message id="plc.listingTooLong">
        <source>Der Text von Slot %1 hat %2 Zeichen; ein Rahmen trägt höchstens %3. Es wurde nichts gesendet.</source>
        <translation>le texte du slot %1 compte %2 caractères ; une trame en porte au plus %3. Rien n'a été envoyé.</translation>
    </message>
    <message id="plc.replaceProgram">
        <source>Slot %1 hält ein Zyklusprogramm. Soll es durch einen Schritt der erweiterten Sequenz ersetzt werden?</source>
        <translation>Le slot %1 contient un programme de cycle. Le remplacer par une étape de la séquence étendue ?</translation>
    </message>
    <message id="plc.replaceStep">
        <source>Slot %1 hält einen Schritt der erweiterten Sequenz. Soll er durch ein Zyklusprogramm ersetzt werden?</source>
        <translation>Le slot %1 contient une étape de la séquence étendue. La remplacer par un programme de cycle ?</translation>
    </message>
    <message id="plc.slotAnsweredNo">
        <source>Slot %1 wurde nicht gespeichert: die Steuerung antwortete „NO“. Die folgenden Slots wurden nicht geschrieben.</source>
        <translation>Le slot %1 n'a pas été enregistré : le contrôleur a répondu « NO ». Les slots suivants n'ont pas été écrits.</translation>
    </message>
    <message id="plc.slotDiffers">
        <source>Slot %1 hält nach dem Programmieren nicht den gesendeten Text.</source>
        <translation>Le slot %1 ne contient pas le texte envoyé.</translation>
    </message>
    <message id="plc.slotRefused">
        <source>Slot %1 wurde abgelehnt: %2</source>
        <translation>Le slot %1 a été refusé : %2</translation>
    </message>
    <message id="plc.takenByProgram">
        <source>(belegt: Zyklusprogramm)</source>
        <translation>(occupé : programme de cycle)</translation>
    </message>
    <message id="plc.takenByStep">
        <source>(belegt: Schritt einer Sequenz)</source>
        <translation>(occupé : étape de séquence)</translation>
    </message>
    <message id="plcext.badJump">
        <source>Sequenz %1: Das Sprungziel ist keine Hexadezimalzahl. Der Testlauf wurde beendet.</source>
        <translation>Séquence %1 : la cible du saut n'est pas un nombre hexadécimal. Le test a été arrêté.</translation>
    </message>
    <message id="plcext.jumpRange">
        <source>Das Sprungziel muss eine Sequenznummer von 0 bis 255 sein.</source>
        <translation>La cible du saut doit être un numéro de séquence de 0 à 255.</translation>
    </message>
    <message id="ramp.axisFrequency">
        <source>Frequenz [Hz]</source>
        <translation>Fréquence [Hz]</translation>
    </message>
    <message id="ramp.axisTime">
        <source>Zeit [s]</source>
        <translation>Temps [s]</translation>
    </message>
    <message id="ramp.curveEntry">
        <source>%1: %2 Hz/s, berechnet: %3 s bis %4 Hz</source>
        <translation>%1 : %2 Hz/s, calculée : %3 s jusqu'à %4 Hz</translation>
    </message>
    <message id="ramp.curveName">
        <source>Rampe %1</source>
        <translation>Rampe %1</translation>
    </message>
    <message id="ramp.curveNewName">
        <source>Neue Rampe</source>
        <translation>Nouvelle rampe</translation>
    </message>
    <message id="ramp.curveNotComputable">
        <source>%1: %2 Hz/s, nicht berechenbar</source>
        <translation>%1 : %2 Hz/s, non calculable</translation>
    </message>
    <message id="ramp.curves">
        <source>&amp;Kurven &gt;&gt;</source>
        <translation>Co&amp;urbes &gt;&gt;</translation>
    </message>
    <message id="ramp.curvesNote">
        <source>Vom Programm aus Takt und Maximalfrequenz der Achse berechnet, wie es Rampen schreibt; die internen Rampen schreibt die Steuerung selbst.</source>
        <translation>Calculées par le programme à partir de l'horloge et de la fréquence maximale de l'axe, comme il écrit les rampes ; les rampes internes sont écrites par la commande elle-même.</translation>
    </message>
    <message id="ramp.curvesTitle">
        <source>Rampenkurven (berechnet)</source>
        <translation>Courbes de rampe (calculées)</translation>
    </message>
    <message id="ramp.slopeTooLarge">
        <source>Die Rampe ist zu steil! Sie muss unter 6553500 Hz/s liegen.</source>
        <translation>La rampe est trop raide ! Elle doit être inférieure à 6553500 Hz/s.</translation>
    </message>
    <message id="report.damaged">
        <source>Achtung: die Datei ist beschädigt (%1).</source>
        <translation>Attention : le fichier est endommagé (%1).</translation>
    </message>
    <message id="report.exportCaption">
        <source>Bericht als PDF exportieren</source>
        <translation>Exporter le rapport en PDF</translation>
    </message>
    <message id="report.menuExport">
        <source>Als PD&amp;F exportieren…</source>
        <translation>Exporter en PD&amp;F…</translation>
    </message>
    <message id="report.menuPreview">
        <source>Druck&amp;vorschau</source>
        <translation>Aper&amp;çu avant impression</translation>
    </message>
    <message id="report.pageOf">
        <source>Seite %1 von %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message id="report.pdfAxisName">
        <source>Achse_%1</source>
        <translation>Axe_%1</translation>
    </message>
    <message id="report.pdfWritten">
        <source>Bericht geschrieben: %1</source>
        <translation>Rapport écrit dans %1</translation>
    </message>
    <message id="report.writeFailed">
        <source>Die Datei %1 kann nicht geschrieben werden: %2</source>
        <translation>Impossible d’écrire le fichier %1 : %2</translation>
    </message>
    <message id="rsmon.controlCharacter">
        <source>Nicht gesendet: Der Befehl enthält das Steuerzeichen %1 (Zeichen %2). Ein Befehl ist eine einzige Zeile ohne Tabulator, STX oder ETX.</source>
        <translation>Non envoyé : la commande contient le caractère de contrôle %1 (caractère %2). Une commande est une seule ligne sans tabulation, STX ni ETX.</translation>
    </message>
    <message id="rsmon.hideLog">
        <source>&lt;&lt; Sitzungsprotoko&amp;ll</source>
        <translation>&lt;&lt; &amp;Journal de session</translation>
    </message>
    <message id="rsmon.invalidUtf8">
        <source>Nicht gesendet: Die Zeile ist kein gültiges UTF-8 (Byte 0x%1 an Stelle %2).</source>
        <translation>Non envoyé : la ligne n'est pas en UTF-8 valide (octet 0x%1 en position %2).</translation>
    </message>
    <message id="rsmon.logDiscarded">
        <source>Vor dem Senden verworfen (ungelesener Empfang):</source>
        <translation>Rejeté avant l'envoi (réception non lue):</translation>
    </message>
    <message id="rsmon.notCodePage">
        <source>Nicht gesendet: Das Zeichen „%1“ (%2) gibt es in Codepage 1252 nicht; die Achse erhielte „?“.</source>
        <translation>Non envoyé : le caractère « %1 » (%2) n'existe pas dans la page de code 1252 ; l'axe recevrait « ? ».</translation>
    </message>
    <message id="rsmon.saveLog">
        <source>Protokoll speicher&amp;n...</source>
        <translation>Enre&amp;gistrer le journal...</translation>
    </message>
    <message id="rsmon.showLog">
        <source>Sitzungsprotoko&amp;ll &gt;&gt;</source>
        <translation>&amp;Journal de session &gt;&gt;</translation>
    </message>
    <message id="rsmon.tooLong">
        <source>Nicht gesendet: Ein Befehl hat höchstens %1 Zeichen, dieser hat %2.</source>
        <translation>Non envoyé : une commande compte au plus %1 caractères, celle-ci en compte %2.</translation>
    </message>
    <message id="sfi.chooseFirst">
        <source>Die Karte meldet keine Konfiguration. Wählen Sie zuerst Vorzugsrichtung, Motorschrittzahl und Encoderstrichzahl: Sie bestimmen die Programmdatei.</source>
        <translation>La carte n'indique aucune configuration. Choisissez d'abord la direction préférée, le nombre de pas du moteur et le nombre de traits du codeur : ils déterminent le fichier de programme.</translation>
    </message>
    <message id="sfi.damagedFile">
        <source>Die Programmdatei %1 ist beschädigt (Zeile %2): ein Satz ist kein Intel-HEX-Satz, ist abgeschnitten oder hat eine falsche Prüfsumme. Es wurde nichts an die Karte gesendet.</source>
        <translation>Le fichier de programme %1 est endommagé (ligne %2) : un enregistrement n'est pas au format Intel HEX, est tronqué ou a une somme de contrôle fausse. Rien n'a été envoyé à la carte.</translation>
    </message>
    <message id="sfi.noRecords">
        <source>Die Programmdatei %1 enthält keinen 16-Byte-Datensatz (&quot;:10&quot;). Es wurde nichts an die Karte gesendet.</source>
        <translation>Le fichier de programme %1 ne contient aucun enregistrement de données de 16 octets (« :10 »). Rien n'a été envoyé à la carte.</translation>
    </message>
    <message id="sfi.notStored">
        <source>Die Programmierung wurde abgebrochen, bevor das Programm gespeichert wurde (&quot;WX&quot; wurde nicht gesendet). Das Programm der Karte ist in einem unbekannten Zustand: Programmieren Sie die Karte erneut.</source>
        <translation>La programmation s'est arrêtée avant l'enregistrement du programme (« WX » n'a pas été envoyé). Le programme de la carte est dans un état inconnu : programmez la carte à nouveau.</translation>
    </message>
    <message id="sfi.resetQuestion">
        <source>Soll die SFI-Karte von Achse %1 wirklich zurückgesetzt werden?</source>
        <translation>Voulez-vous vraiment réinitialiser la carte SFI de l'axe %1 ?</translation>
    </message>
    <message id="status.32813">
        <source>Druckt die aktive Ansicht.</source>
        <translation>Imprime la vue active.</translation>
    </message>
    <message id="status.32814">
        <source>Stellt die Achse und die Schnittstelle auf eine andere Baudrate um.</source>
        <translation>Change la vitesse de transmission de l'axe et de l'interface.</translation>
    </message>
    <message id="status.32817">
        <source>Druckt die aktive Ansicht.</source>
        <translation>Imprime la vue active.</translation>
    </message>
    <message id="status.32829">
        <source>Schaltet die Bedienoberfläche auf Deutsch um.</source>
        <translation>Passe l'interface en allemand.</translation>
    </message>
    <message id="status.32830">
        <source>Schaltet die Bedienoberfläche auf Englisch um.</source>
        <translation>Passe l'interface en anglais.</translation>
    </message>
    <message id="status.32834">
        <source>Schaltet die Bedienoberfläche auf Französisch um.</source>
        <translation>Passe l'interface en français.</translation>
    </message>
    <message id="status.57600">
        <source>Erstellt eine neue Offline-Konfiguration.</source>
        <translation>Crée une nouvelle configuration hors ligne.</translation>
    </message>
    <message id="status.57601">
        <source>Öffnet eine Parameterdatei.</source>
        <translation>Ouvre un fichier de paramètres.</translation>
    </message>
    <message id="status.57602">
        <source>Schließt das aktive Dokument.</source>
        <translation>Ferme le document actif.</translation>
    </message>
    <message id="status.57603">
        <source>Speichert das aktive Dokument.</source>
        <translation>Enregistre le document actif.</translation>
    </message>
    <message id="status.57604">
        <source>Speichert das aktive Dokument unter einem neuen Namen.</source>
        <translation>Enregistre le document actif sous un nouveau nom.</translation>
    </message>
    <message id="status.57616">
        <source>Öffnet diese Parameterdatei.</source>
        <translation>Ouvre ce fichier de paramètres.</translation>
    </message>
    <message id="status.57649">
        <source>Ordnet die Fenstersymbole an.</source>
        <translation>Réorganise les icônes des fenêtres.</translation>
    </message>
    <message id="status.57650">
        <source>Ordnet die Fenster überlappend an.</source>
        <translation>Dispose les fenêtres en cascade.</translation>
    </message>
    <message id="status.57651">
        <source>Ordnet die Fenster nebeneinander an.</source>
        <translation>Dispose les fenêtres en mosaïque.</translation>
    </message>
    <message id="status.57664">
        <source>Zeigt Programminformationen und die Versionsnummer an.</source>
        <translation>Affiche les informations sur le programme et le numéro de version.</translation>
    </message>
    <message id="status.57665">
        <source>Beendet das Programm.</source>
        <translation>Quitte le programme.</translation>
    </message>
    <message id="status.59392">
        <source>Blendet die Symbolleiste ein oder aus.</source>
        <translation>Affiche ou masque la barre d'outils.</translation>
    </message>
    <message id="status.59393">
        <source>Blendet die Statusleiste ein oder aus.</source>
        <translation>Affiche ou masque la barre d'état.</translation>
    </message>
    <message id="tip.32813">
        <source>Drucken</source>
        <translation>Imprimer</translation>
    </message>
    <message id="tip.57600">
        <source>Neu</source>
        <translation>Nouveau</translation>
    </message>
    <message id="tip.57601">
        <source>Öffnen</source>
        <translation>Ouvrir</translation>
    </message>
    <message id="tip.57603">
        <source>Speichern</source>
        <translation>Enregistrer</translation>
    </message>
    <message id="tip.57664">
        <source>Info</source>
        <translation>A propos</translation>
    </message>
    <message id="tip.axis">
        <source>Verbinden mit Achse </source>
        <translation>Raccorde avec axe </translation>
    </message>
    <message id="toolbar.axes">
        <source>Achsen</source>
        <translation>Axes</translation>
    </message>
    <message id="toolbar.main">
        <source>Symbolleiste</source>
        <translation>Barre d'outils</translation>
    </message>
    <message id="trace.axisPosition">
        <source>Position [1/8 Schritt]</source>
        <translation>Position [1/8 pas]</translation>
    </message>
    <message id="trace.axisSpeed">
        <source>Geschwindigkeit [1/8 Schritt/s]</source>
        <translation>Vitesse [1/8 pas/s]</translation>
    </message>
    <message id="trace.axisTime">
        <source>Zeit [s]</source>
        <translation>Temps [s]</translation>
    </message>
    <message id="trace.clear">
        <source>&amp;Leeren</source>
        <translation>&amp;Effacer</translation>
    </message>
    <message id="trace.moveStarted">
        <source>Fahrt vom Panel gestartet</source>
        <translation>Déplacement lancé depuis le panneau</translation>
    </message>
    <message id="trace.note">
        <source>Position aus der Statusabfrage des aktiven Panels, nur solange der Motor läuft; Geschwindigkeit aus der Differenz aufeinanderfolgender Positionen. Die letzte Minute.</source>
        <translation>Position issue de l'interrogation d'état du panneau actif, seulement pendant que le moteur tourne ; vitesse tirée de la différence de positions successives. La dernière minute.</translation>
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
        <translation>Enregistrer en CS&amp;V...</translation>
    </message>
    <message id="trace.savePng">
        <source>Als P&amp;NG speichern...</source>
        <translation>Enregistrer en P&amp;NG...</translation>
    </message>
    <message id="trace.speed">
        <source>Geschwindigkeit</source>
        <translation>Vitesse</translation>
    </message>
    <message id="trace.title">
        <source>Live-Verlauf: %1</source>
        <translation>Tracé en direct : %1</translation>
    </message>
    <message id="transfer.axisValue">
        <source>Achse</source>
        <translation>Axe</translation>
    </message>
    <message id="transfer.compareAxis">
        <source>Achse:</source>
        <translation>Axe :</translation>
    </message>
    <message id="transfer.compareButton">
        <source>&amp;Vergleichen</source>
        <translation>&amp;Comparer</translation>
    </message>
    <message id="transfer.compareMenu">
        <source>Mit &amp;Achse vergleichen...</source>
        <translation>Comparer avec l'&amp;axe...</translation>
    </message>
    <message id="transfer.compareTitle">
        <source>Vergleich mit Achse</source>
        <translation>Comparaison avec l'axe</translation>
    </message>
    <message id="transfer.damaged">
        <source>Die Datei ist beschädigt (%1).&#10;Es wurde nichts gesendet.</source>
        <translation>Le fichier est endommagé (%1).&#10;Rien n'a été envoyé.</translation>
    </message>
    <message id="transfer.differences">
        <source>%1 Unterschied(e) (markiert).</source>
        <translation>%1 différence(s) (marquées).</translation>
    </message>
    <message id="transfer.fileValue">
        <source>Datei</source>
        <translation>Fichier</translation>
    </message>
    <message id="transfer.noDifferences">
        <source>Keine Unterschiede: eine Übertragung würde nichts ändern.</source>
        <translation>Aucune différence : un transfert ne changerait rien.</translation>
    </message>
    <message id="transfer.notSent">
        <source>(wird nicht gesendet)</source>
        <translation>(non envoyé)</translation>
    </message>
    <message id="transfer.otherFamily">
        <source>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Trotzdem laden?</source>
        <translation>Le fichier a été enregistré depuis un appareil %1.&#10;Axe(s) d'une autre famille : %2.&#10;Charger quand même ?</translation>
    </message>
    <message id="transfer.otherFamilyRefused">
        <source>Die Datei wurde von einem Gerät %1 gespeichert.&#10;Achse(n) einer anderen Familie: %2.&#10;Es wurde nichts gesendet.</source>
        <translation>Le fichier a été enregistré depuis un appareil %1.&#10;Axe(s) d'une autre famille : %2.&#10;Rien n'a été envoyé.</translation>
    </message>
    <message id="transfer.parameter">
        <source>Parameter</source>
        <translation>Paramètre</translation>
    </message>
    <message id="transfer.plcDiffer">
        <source>SPS-Bereiche: verschieden in Slot %1</source>
        <translation>Zones API : différentes au slot %1</translation>
    </message>
    <message id="transfer.plcDifferMore">
        <source>SPS-Bereiche: verschieden in %1 Slots (%2 …)</source>
        <translation>Zones API : différentes dans %1 slots (%2 …)</translation>
    </message>
    <message id="transfer.plcEqual">
        <source>SPS-Bereiche: gleich</source>
        <translation>Zones API : identiques</translation>
    </message>
    <message id="transfer.rampsDiffer">
        <source>Achse %1: verschiedene Rampen in Datei und Steuerung.&#10;Rampen neu programmieren?</source>
        <translation>Axe %1 : rampes différentes dans le fichier et la commande.&#10;Reprogrammer les rampes ?</translation>
    </message>
    <message id="transfer.readBackDiffers">
        <source>Achse %1 weicht nach dem Laden ab: %2</source>
        <translation>L'axe %1 diffère après le chargement : %2</translation>
    </message>
    <message id="transfer.readBackFailed">
        <source>Achse %1 konnte nicht zurückgelesen werden.</source>
        <translation>L'axe %1 n'a pas pu être relu.</translation>
    </message>
    <message id="transfer.refused">
        <source>Achse %1 hat %2 abgelehnt: %3</source>
        <translation>L'axe %1 a refusé %2 : %3</translation>
    </message>
    <message id="transfer.slot">
        <source>SPS-Slot</source>
        <translation>Slot API</translation>
    </message>
    <message id="transfer.tablesDiffer">
        <source>Beschleunigungstabellen: verschieden</source>
        <translation>Tableaux d'accélération : différents</translation>
    </message>
    <message id="transfer.tablesEqual">
        <source>Beschleunigungstabellen: gleich</source>
        <translation>Tableaux d'accélération : identiques</translation>
    </message>
    <message id="transfer.unread">
        <source>Die Achse konnte nicht vollständig gelesen werden.</source>
        <translation>L'axe n'a pas pu être lu entièrement.</translation>
    </message>
</context>
</TS>
