<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Keyhaven</name>
    <message>
        <source>Keyhaven</source>
        <translation>Keyhaven</translation>
    </message>
    <message>
        <source>Keyhaven files (*.pwd)</source>
        <translation>Keyhaven-Dateien (*.pwd)</translation>
    </message>
    <message>
        <source>Protected Keyhaven files (*.khv)</source>
        <translation>Geschützte Keyhaven-Dateien (*.khv)</translation>
    </message>
    <message>
        <source>Keyhaven files (*.pwd *.khv)</source>
        <translation>Keyhaven-Dateien (*.pwd *.khv)</translation>
    </message>
    <message>
        <source>Protected Keyhaven files, unreadable without the KEY (*.khv);;Keyhaven files, anyone who has one can read it and recover its KEY (*.pwd)</source>
        <translation>Geschützte Keyhaven-Dateien, ohne den KEY nicht lesbar (*.khv);;Keyhaven-Dateien, wer eine hat, kann sie lesen und ihren KEY wiederherstellen (*.pwd)</translation>
    </message>
    <message>
        <source>Open KeePass Database</source>
        <translation>KeePass-Datenbank öffnen</translation>
    </message>
    <message>
        <source>New KeePass Database</source>
        <translation>Neue KeePass-Datenbank</translation>
    </message>
    <message>
        <source>Select a key file</source>
        <translation>Schlüsseldatei auswählen</translation>
    </message>
    <message>
        <source>Key files (*.keyx *.key);;All files (*)</source>
        <translation>Schlüsseldateien (*.keyx *.key);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>Unerwartetes Dateiformat.</translation>
    </message>
    <message>
        <source>%1
File not found.</source>
        <translation>%1
Datei nicht gefunden.</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>%1 kann nicht gelesen werden, die Datei ist von jemand anderem geöffnet.</translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation>In %1 kann nicht geschrieben werden, die Datei ist schreibgeschützt oder von jemand anderem geöffnet.</translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation>Das Ziellaufwerk ist voll.</translation>
    </message>
    <message>
        <source>An unexpected error occurred while reading %1.</source>
        <translation>Beim Lesen von %1 ist ein unerwarteter Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>An unexpected error occurred while writing %1.</source>
        <translation>Beim Schreiben von %1 ist ein unerwarteter Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program while Keyhaven was locked.

Yes: open it as it is now.
No: open another file.
Cancel: stay locked.</source>
        <translation>%1 wurde von einem anderen Programm geändert, während Keyhaven gesperrt war.

Ja: die Datei so öffnen, wie sie jetzt ist.
Nein: eine andere Datei öffnen.
Abbrechen: gesperrt bleiben.</translation>
    </message>
    <message>
        <source>%1 has been removed or renamed by another program while Keyhaven was locked.

Yes: go on without a file.
No: open another file.
Cancel: stay locked.</source>
        <translation>%1 wurde von einem anderen Programm entfernt oder umbenannt, während Keyhaven gesperrt war.

Ja: ohne Datei weitermachen.
Nein: eine andere Datei öffnen.
Abbrechen: gesperrt bleiben.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program while Keyhaven was locked.

Yes: replace it with what Keyhaven shows now (the other change is lost).
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation>%1 wurde von einem anderen Programm geändert, während Keyhaven gesperrt war.

Ja: die Datei durch das ersetzen, was Keyhaven jetzt zeigt (die andere Änderung geht verloren).
Nein: das, was Keyhaven zeigt, als andere Datei speichern.
Abbrechen: nichts speichern.</translation>
    </message>
    <message>
        <source>%1 has been removed or renamed by another program while Keyhaven was locked.

Yes: save what Keyhaven shows under its old name.
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation>%1 wurde von einem anderen Programm entfernt oder umbenannt, während Keyhaven gesperrt war.

Ja: das, was Keyhaven zeigt, unter dem alten Namen speichern.
Nein: das, was Keyhaven zeigt, als andere Datei speichern.
Abbrechen: nichts speichern.</translation>
    </message>
    <message>
        <source>%1 asks for %2 to turn its KEY into its key, more than four times what Keyhaven uses. That may take minutes and slow the whole computer down.

Go on anyway?</source>
        <translation>%1 verlangt %2, um aus seinem KEY seinen Schlüssel abzuleiten, mehr als das Vierfache dessen, was Keyhaven verwendet. Das kann Minuten dauern und den ganzen Computer verlangsamen.

Trotzdem fortfahren?</translation>
    </message>
    <message>
        <source>Checking the KEY of %1 ...</source>
        <translation>Der KEY von %1 wird geprüft ...</translation>
    </message>
    <message>
        <source>%1 is a protected file: it cannot be written without its KEY.</source>
        <translation>%1 ist eine geschützte Datei: Sie kann ohne ihren KEY nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The new KEY must differ from the old one: the KEY of a .pwd file can be recovered from any copy of that file (and of its backups), so the old KEY would open the new file too.</source>
        <translation>Der neue KEY muss sich vom alten unterscheiden: Der KEY einer .pwd-Datei lässt sich aus jeder Kopie dieser Datei (und ihrer Sicherungen) wiederherstellen, also würde der alte KEY auch die neue Datei öffnen.</translation>
    </message>
    <message>
        <source>A .pwd file does not protect its passwords: anyone who has %1 can read every password in it and recover its KEY.

Save it as .pwd anyway? You will choose a new KEY for it.</source>
        <translation>Eine .pwd-Datei schützt ihre Passwörter nicht: Wer %1 hat, kann jedes Passwort darin lesen und ihren KEY wiederherstellen.

Trotzdem als .pwd speichern? Sie wählen dafür einen neuen KEY.</translation>
    </message>
    <message>
        <source>%1 is saved and sealed.

The old file still gives away every password and its KEY to anyone who has a copy:
%2

Remove the old file and its backup copies now?</source>
        <translation>%1 ist gespeichert und versiegelt.

Die alte Datei verrät weiterhin jedes Passwort und ihren KEY an jeden, der eine Kopie hat:
%2

Die alte Datei und ihre Sicherungskopien jetzt entfernen?</translation>
    </message>
    <message>
        <source>%1 could not be removed.</source>
        <translation>%1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>%1 is larger than 1 GB; it cannot be a password file and was not read.</source>
        <translation>%1 ist größer als 1 GB; das kann keine Passwortdatei sein, sie wurde nicht gelesen.</translation>
    </message>
    <message>
        <source>There is not enough memory to read %1.</source>
        <translation>Es ist nicht genug Speicher vorhanden, um %1 zu lesen.</translation>
    </message>
    <message>
        <source>There is not enough memory to open %1.</source>
        <translation>Es ist nicht genug Speicher vorhanden, um %1 zu öffnen.</translation>
    </message>
    <message>
        <source>There is not enough memory to seal %1 under its KEY; it was not written.</source>
        <translation>Es ist nicht genug Speicher vorhanden, um %1 mit seinem KEY zu versiegeln; die Datei wurde nicht geschrieben.</translation>
    </message>
    <message>
        <source>%1 is being changed by another program; try again in a moment.</source>
        <translation>%1 wird gerade von einem anderen Programm geändert; versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program since Keyhaven read or last saved it.

Yes: replace it with what Keyhaven shows now (the other change is lost).
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation>%1 wurde von einem anderen Programm geändert, seit Keyhaven die Datei gelesen oder zuletzt gespeichert hat.

Ja: die Datei durch das ersetzen, was Keyhaven jetzt zeigt (die andere Änderung geht verloren).
Nein: das, was Keyhaven zeigt, als andere Datei speichern.
Abbrechen: nichts speichern.</translation>
    </message>
    <message>
        <source>Account can not be empty!</source>
        <translation>Das Konto darf nicht leer sein!</translation>
    </message>
    <message>
        <source>Account name should not be same!</source>
        <translation>Der Kontoname darf nicht doppelt vorkommen!</translation>
    </message>
    <message>
        <source>Group name should not be empty.</source>
        <translation>Der Gruppenname darf nicht leer sein.</translation>
    </message>
    <message>
        <source>Group name should not be same.</source>
        <translation>Der Gruppenname darf nicht doppelt vorkommen.</translation>
    </message>
    <message>
        <source>At least one(1) group should be contained.</source>
        <translation>Es muss mindestens eine (1) Gruppe vorhanden sein.</translation>
    </message>
    <message>
        <source>This file has no group to hold the account.
Please add a group first.</source>
        <translation>Diese Datei hat keine Gruppe, die das Konto aufnehmen kann.
Bitte fügen Sie zuerst eine Gruppe hinzu.</translation>
    </message>
    <message>
        <source>The file&apos;s texts can not contain the character &quot;%1&quot; (U+%2).
Please use another one.</source>
        <translation>Die Texte der Datei können das Zeichen „%1“ (U+%2) nicht enthalten.
Bitte verwenden Sie ein anderes.</translation>
    </message>
    <message>
        <source>Add Account</source>
        <translation>Konto hinzufügen</translation>
    </message>
    <message>
        <source>Edit the Account</source>
        <translation>Konto bearbeiten</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Gruppe hinzufügen</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Gruppe bearbeiten</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Gruppe löschen</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Gruppe</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Kommentare</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Hyperlink</source>
        <translation>Hyperlink</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Gruppenname:</translation>
    </message>
    <message>
        <source>Choose a group</source>
        <translation>Gruppe auswählen</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>WARNING:	If you delete a group, all accounts under the group will be removed.</source>
        <translation>WARNUNG:	Wenn Sie eine Gruppe löschen, werden alle Konten in dieser Gruppe entfernt.</translation>
    </message>
    <message>
        <source>Paste User Name</source>
        <translation>Benutzername einfügen</translation>
    </message>
    <message>
        <source>Generate Password</source>
        <translation>Passwort erzeugen</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Verbergen</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Passwort anzeigen</translation>
    </message>
    <message>
        <source>Password Generator Settings</source>
        <translation>Einstellungen des Passwortgenerators</translation>
    </message>
    <message>
        <source>Paste Hyperlink</source>
        <translation>Hyperlink einfügen</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
    <message>
        <source>Test Hyperlink</source>
        <translation>Hyperlink testen</translation>
    </message>
    <message>
        <source>Paste E-Mail</source>
        <translation>E-Mail einfügen</translation>
    </message>
    <message>
        <source>Select a program or file</source>
        <translation>Programm oder Datei auswählen</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Keyhaven	Version %1</source>
        <translation>Keyhaven	Version %1</translation>
    </message>
    <message>
        <source>About Keyhaven</source>
        <translation>Über Keyhaven</translation>
    </message>
    <message>
        <source>There is no last file to open.</source>
        <translation>Es gibt keine zuletzt verwendete Datei zum Öffnen.</translation>
    </message>
    <message>
        <source>The last file was not found.</source>
        <translation>Die zuletzt verwendete Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>There is no specified file to open.</source>
        <translation>Es ist keine Datei zum Öffnen angegeben.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Die angegebene Datei wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Konten</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt verwendete Datei</translation>
    </message>
    <message>
        <source>Password copied</source>
        <translation>Passwort kopiert</translation>
    </message>
    <message>
        <source>Protect this file</source>
        <translation>Diese Datei schützen</translation>
    </message>
    <message>
        <source>Anyone who has a copy of this .pwd file can read every password in it and recover its KEY. Save it as a protected .khv file with a new KEY?</source>
        <translation>Wer eine Kopie dieser .pwd-Datei hat, kann jedes Passwort darin lesen und ihren KEY wiederherstellen. Als geschützte .khv-Datei mit einem neuen KEY speichern?</translation>
    </message>
    <message>
        <source>Save as .khv...</source>
        <translation>Als .khv speichern...</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Nicht jetzt</translation>
    </message>
    <message>
        <source>Password copied; clipboard cleared in %1 s</source>
        <translation>Passwort kopiert; die Zwischenablage wird in %1 s geleert</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Neu	Strg+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>S&amp;peichern	Strg+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>&amp;Importieren...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>Eigenschaf&amp;ten</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Add &amp;Account...	Ctrl+A</source>
        <translation>&amp;Konto hinzufügen...	Strg+A</translation>
    </message>
    <message>
        <source>Add &amp;Group...	Ctrl+G</source>
        <translation>&amp;Gruppe hinzufügen...	Strg+G</translation>
    </message>
    <message>
        <source>&amp;Edit...	Ctrl+E</source>
        <translation>&amp;Bearbeiten...	Strg+E</translation>
    </message>
    <message>
        <source>&amp;Delete...	Ctrl+D</source>
        <translation>&amp;Löschen...	Strg+D</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>S&amp;earch Bar	Ctrl+F</source>
        <translation>S&amp;uchleiste	Strg+F</translation>
    </message>
    <message>
        <source>&amp;Password Bar	F2</source>
        <translation>&amp;Passwortleiste	F2</translation>
    </message>
    <message>
        <source>Always on T&amp;op	F3</source>
        <translation>Immer im &amp;Vordergrund	F3</translation>
    </message>
    <message>
        <source>Change &amp;KEY...</source>
        <translation>&amp;KEY ändern...</translation>
    </message>
    <message>
        <source>&amp;Mask Passwords</source>
        <translation>Passwörter &amp;maskieren</translation>
    </message>
    <message>
        <source>&amp;Lock</source>
        <translation>&amp;Sperren</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Optionen...</translation>
    </message>
    <message>
        <source>&amp;Add Here</source>
        <translation>&amp;Hier hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Clear on Exit</source>
        <translation>Beim Beenden &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation>&amp;Inhalt	F1</translation>
    </message>
    <message>
        <source>&amp;Website</source>
        <translation>&amp;Website</translation>
    </message>
    <message>
        <source>&amp;Support</source>
        <translation>&amp;Support</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Main &amp;Window</source>
        <translation>&amp;Hauptfenster</translation>
    </message>
    <message>
        <source>Password &amp;Bar</source>
        <translation>&amp;Passwortleiste</translation>
    </message>
    <message>
        <source>Create a new file
New</source>
        <translation>Eine neue Datei erstellen
Neu</translation>
    </message>
    <message>
        <source>Open an existing file
Open</source>
        <translation>Eine vorhandene Datei öffnen
Öffnen</translation>
    </message>
    <message>
        <source>Close the active file
Close</source>
        <translation>Die aktive Datei schließen
Schließen</translation>
    </message>
    <message>
        <source>Save the active file
Save</source>
        <translation>Die aktive Datei speichern
Speichern</translation>
    </message>
    <message>
        <source>Save the active file with a new name
Save As</source>
        <translation>Die aktive Datei unter einem neuen Namen speichern
Speichern unter</translation>
    </message>
    <message>
        <source>Print password information</source>
        <translation>Passwortinformationen drucken</translation>
    </message>
    <message>
        <source>Bring in the accounts of another password manager&apos;s file
Import</source>
        <translation>Die Konten aus der Datei eines anderen Passwortmanagers übernehmen
Importieren</translation>
    </message>
    <message>
        <source>Show file properties
Proerties</source>
        <translation>Dateieigenschaften anzeigen
Eigenschaften</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Die Anwendung beenden; fragt, ob Dokumente gespeichert werden sollen
Beenden</translation>
    </message>
    <message>
        <source>Add an account
Add Account</source>
        <translation>Ein Konto hinzufügen
Konto hinzufügen</translation>
    </message>
    <message>
        <source>Add a group
Add Group</source>
        <translation>Eine Gruppe hinzufügen
Gruppe hinzufügen</translation>
    </message>
    <message>
        <source>Edit account or group
Edit</source>
        <translation>Konto oder Gruppe bearbeiten
Bearbeiten</translation>
    </message>
    <message>
        <source>Delete account or group
Delete</source>
        <translation>Konto oder Gruppe löschen
Löschen</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Die Werkzeugleiste ein- oder ausblenden
Werkzeugleiste ein/aus</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Die Statusleiste ein- oder ausblenden
Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>Show or hide the search bar</source>
        <translation>Die Suchleiste ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Switch to password bar
Password Bar</source>
        <translation>Zur Passwortleiste wechseln
Passwortleiste</translation>
    </message>
    <message>
        <source>Set window always on the top
Always on Top</source>
        <translation>Das Fenster immer im Vordergrund halten
Immer im Vordergrund</translation>
    </message>
    <message>
        <source>Set window always on the top</source>
        <translation>Das Fenster immer im Vordergrund halten</translation>
    </message>
    <message>
        <source>Change your KEY</source>
        <translation>Ihren KEY ändern</translation>
    </message>
    <message>
        <source>Mask your passwords with *</source>
        <translation>Ihre Passwörter mit * maskieren</translation>
    </message>
    <message>
        <source>Minize and lock the program
Lock</source>
        <translation>Das Programm minimieren und sperren
Sperren</translation>
    </message>
    <message>
        <source>Change options
Options</source>
        <translation>Optionen ändern
Optionen</translation>
    </message>
    <message>
        <source>Open this file</source>
        <translation>Diese Datei öffnen</translation>
    </message>
    <message>
        <source>Add file name here when you open a file</source>
        <translation>Beim Öffnen einer Datei ihren Namen hier hinzufügen</translation>
    </message>
    <message>
        <source>Clear recent file list on exit</source>
        <translation>Die Liste der zuletzt verwendeten Dateien beim Beenden leeren</translation>
    </message>
    <message>
        <source>Use help
Help</source>
        <translation>Die Hilfe verwenden
Hilfe</translation>
    </message>
    <message>
        <source>Visit website for product information</source>
        <translation>Die Website mit Produktinformationen besuchen</translation>
    </message>
    <message>
        <source>Send an e-mail to the Keyhaven support team</source>
        <translation>Eine E-Mail an das Keyhaven-Supportteam senden</translation>
    </message>
    <message>
        <source>Display the product information
About</source>
        <translation>Die Produktinformationen anzeigen
Über</translation>
    </message>
    <message>
        <source>New KEYs do not mach!
Please enter again!</source>
        <translation>Die neuen KEYs stimmen nicht überein!
Bitte erneut eingeben!</translation>
    </message>
    <message>
        <source>New KEY is invalidate!</source>
        <translation>Der neue KEY ist ungültig!</translation>
    </message>
    <message>
        <source>Original KEY is invalidate!
You can not change Key!</source>
        <translation>Der bisherige KEY ist ungültig!
Sie können den KEY nicht ändern!</translation>
    </message>
    <message>
        <source>Your KEY is invalid!</source>
        <translation>Ihr KEY ist ungültig!</translation>
    </message>
    <message>
        <source>The KEY holds a character that the file&apos;s code page cannot hold.
Please use another one.</source>
        <translation>Der KEY enthält ein Zeichen, das die Codepage der Datei nicht darstellen kann.
Bitte verwenden Sie einen anderen.</translation>
    </message>
    <message>
        <source>This file hasn&apos;t KEY and it is READ-ONLY, so you can&apos;t open it.</source>
        <translation>Diese Datei hat keinen KEY und ist SCHREIBGESCHÜTZT, daher können Sie sie nicht öffnen.</translation>
    </message>
    <message>
        <source>The file hasn&apos;t its KEY, you must create it now.</source>
        <translation>Die Datei hat keinen KEY, Sie müssen ihn jetzt erstellen.</translation>
    </message>
    <message>
        <source>File is READ-ONLY, you can&apos;t change its KEY.</source>
        <translation>Die Datei ist SCHREIBGESCHÜTZT, Sie können ihren KEY nicht ändern.</translation>
    </message>
    <message>
        <source>KEY is changed!</source>
        <translation>Der KEY wurde geändert!</translation>
    </message>
    <message>
        <source>KEY is not changed!</source>
        <translation>Der KEY wurde nicht geändert!</translation>
    </message>
    <message>
        <source>KEY for:  </source>
        <translation>KEY für:  </translation>
    </message>
    <message>
        <source>Create KEY</source>
        <translation>KEY erstellen</translation>
    </message>
    <message>
        <source>Check Key</source>
        <translation>KEY prüfen</translation>
    </message>
    <message>
        <source>Change Key</source>
        <translation>KEY ändern</translation>
    </message>
    <message>
        <source>Create KEY for new file</source>
        <translation>KEY für die neue Datei erstellen</translation>
    </message>
    <message>
        <source>Confirm KEY</source>
        <translation>KEY bestätigen</translation>
    </message>
    <message>
        <source>Original KEY</source>
        <translation>Bisheriger KEY</translation>
    </message>
    <message>
        <source>New KEY</source>
        <translation>Neuer KEY</translation>
    </message>
    <message>
        <source>Confirm Key</source>
        <translation>KEY bestätigen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>File format is not supported.</source>
        <translation>Das Dateiformat wird nicht unterstützt.</translation>
    </message>
    <message>
        <source>This file is READ-ONLY, you can&apos;t save itself.
Do you want to save it as another file?</source>
        <translation>Diese Datei ist SCHREIBGESCHÜTZT, Sie können sie nicht selbst speichern.
Möchten Sie sie als andere Datei speichern?</translation>
    </message>
    <message>
        <source>Backup file failed, be sure your backup path is correct.</source>
        <translation>Die Sicherung der Datei ist fehlgeschlagen, prüfen Sie, ob Ihr Sicherungspfad stimmt.</translation>
    </message>
    <message>
        <source>Your document has been modified,do you want to save it?</source>
        <translation>Ihr Dokument wurde geändert, möchten Sie es speichern?</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>NewPassword</source>
        <translation>NeuePasswörter</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>File Propety</source>
        <translation>Dateieigenschaften</translation>
    </message>
    <message>
        <source>Contains:</source>
        <translation>Enthält:</translation>
    </message>
    <message>
        <source>Loaction:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>Erstellt:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Accessed:</source>
        <translation>Letzter Zugriff:</translation>
    </message>
    <message>
        <source>Protection:</source>
        <translation>Schutz:</translation>
    </message>
    <message>
        <source>None: anyone who has a .pwd file can read it and recover its KEY. Save it as .khv to seal it.</source>
        <translation>Keiner: Wer eine .pwd-Datei hat, kann sie lesen und ihren KEY wiederherstellen. Speichern Sie sie als .khv, um sie zu versiegeln.</translation>
    </message>
    <message>
        <source>Sealed: it can not be read without its KEY.</source>
        <translation>Versiegelt: Sie kann ohne ihren KEY nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Open padlock</source>
        <translation>Offenes Vorhängeschloss</translation>
    </message>
    <message>
        <source>Closed padlock</source>
        <translation>Geschlossenes Vorhängeschloss</translation>
    </message>
    <message>
        <source>Attributes:</source>
        <translation>Attribute:</translation>
    </message>
    <message>
        <source>&amp;Read-only</source>
        <translation>&amp;Schreibgeschützt</translation>
    </message>
    <message>
        <source>&amp;Hidden</source>
        <translation>&amp;Versteckt</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archiv</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Üb&amp;ernehmen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sicherheit</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Password Generator</source>
        <translation>Passwortgenerator</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Set Password Bar as default interface</source>
        <translation>Passwortleiste als Standardoberfläche verwenden</translation>
    </message>
    <message>
        <source>Run automatically &amp;when I log in</source>
        <translation>Beim &amp;Anmelden automatisch starten</translation>
    </message>
    <message>
        <source>Do&amp;n&apos;t open file at starting</source>
        <translation>&amp;Keine Datei beim Start öffnen</translation>
    </message>
    <message>
        <source>Open &amp;last file at starting</source>
        <translation>&amp;Letzte Datei beim Start öffnen</translation>
    </message>
    <message>
        <source>Always start with &amp;this file</source>
        <translation>Immer mit &amp;dieser Datei starten</translation>
    </message>
    <message>
        <source>Auto Open</source>
        <translation>Automatisch öffnen</translation>
    </message>
    <message>
        <source>Select a file</source>
        <translation>Datei auswählen</translation>
    </message>
    <message>
        <source>Auto &amp;save file</source>
        <translation>Datei automatisch &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Backup file before saving</source>
        <translation>Vor dem Speichern eine Sicherungskopie &amp;anlegen</translation>
    </message>
    <message>
        <source>&amp;Clear recent file list when exiting</source>
        <translation>Liste der zuletzt verwendeten Dateien beim Beenden &amp;leeren</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Recent file list</source>
        <translation>Liste der zuletzt verwendeten Dateien</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>Sicherungsordner</translation>
    </message>
    <message>
        <source>Select a directory backup your files</source>
        <translation>Ordner für die Sicherungskopien Ihrer Dateien auswählen</translation>
    </message>
    <message>
        <source>&amp;Mask passwords when shown</source>
        <translation>Passwörter beim Anzeigen &amp;maskieren</translation>
    </message>
    <message>
        <source>Auto lock</source>
        <translation>Automatisch sperren</translation>
    </message>
    <message>
        <source>Auto exit</source>
        <translation>Automatisch beenden</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 Minuten</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Anpassen</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Lock when the screen &amp;locks</source>
        <translation>Sperren, wenn der Bildschirm &amp;gesperrt wird</translation>
    </message>
    <message>
        <source>Clear the clipboard after</source>
        <translation>Zwischenablage leeren nach</translation>
    </message>
    <message>
        <source>Activate the text box and press desired key combination</source>
        <translation>Klicken Sie in das Textfeld und drücken Sie die gewünschte Tastenkombination</translation>
    </message>
    <message>
        <source>Note: If you choose to hide system tray icon,  you must use a HOT KEY.</source>
        <translation>Hinweis: Wenn Sie das Symbol im Systembereich ausblenden, müssen Sie ein TASTENKÜRZEL verwenden.</translation>
    </message>
    <message>
        <source>&amp;Hide system tray icon</source>
        <translation>Symbol im Systembereich &amp;ausblenden</translation>
    </message>
    <message>
        <source>Before you choose to hide the system tray icon, you must set a hot key to recall the program.</source>
        <translation>Bevor Sie das Symbol im Systembereich ausblenden, müssen Sie ein Tastenkürzel festlegen, mit dem Sie das Programm zurückholen.</translation>
    </message>
    <message>
        <source>This desktop offers no global hot key (neither an X server nor the desktop portal&apos;s global shortcuts), so a key set here would never work.</source>
        <translation>Diese Arbeitsumgebung bietet kein globales Tastenkürzel (weder einen X-Server noch die globalen Tastenkürzel des Desktop-Portals), ein hier festgelegtes Kürzel würde also nie funktionieren.</translation>
    </message>
    <message>
        <source>This desktop offers no global hot key, so the system tray icon is the only way back to the program and cannot be hidden.</source>
        <translation>Diese Arbeitsumgebung bietet kein globales Tastenkürzel, daher ist das Symbol im Systembereich der einzige Weg zurück zum Programm und kann nicht ausgeblendet werden.</translation>
    </message>
    <message>
        <source>Always on Top is not available on Wayland: the compositor alone decides which window stays above the others.</source>
        <translation>„Immer im Vordergrund“ ist unter Wayland nicht verfügbar: Allein der Compositor entscheidet, welches Fenster über den anderen bleibt.</translation>
    </message>
    <message>
        <source>&amp;Uppercase</source>
        <translation>&amp;Großbuchstaben</translation>
    </message>
    <message>
        <source>&amp;Lowcase</source>
        <translation>&amp;Kleinbuchstaben</translation>
    </message>
    <message>
        <source>&amp;Numbers</source>
        <translation>&amp;Ziffern</translation>
    </message>
    <message>
        <source>&amp;Special</source>
        <translation>&amp;Sonderzeichen</translation>
    </message>
    <message>
        <source>S&amp;pace</source>
        <translation>&amp;Leerzeichen</translation>
    </message>
    <message>
        <source>&amp;Range</source>
        <translation>&amp;Bereich</translation>
    </message>
    <message>
        <source>Speci&amp;fy</source>
        <translation>&amp;Festlegen</translation>
    </message>
    <message>
        <source>Letters</source>
        <translation>Zeichen</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Generated password</source>
        <translation>Erzeugtes Passwort</translation>
    </message>
    <message>
        <source>Your Password length at least is 1.</source>
        <translation>Ihr Passwort muss mindestens 1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Sperren</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Minimize button</source>
        <translation>Schaltfläche „Minimieren“</translation>
    </message>
    <message>
        <source>Close button</source>
        <translation>Schaltfläche „Schließen“</translation>
    </message>
    <message>
        <source>Show confirm dialog before deleting account</source>
        <translation>Vor dem Löschen eines Kontos nachfragen</translation>
    </message>
    <message>
        <source>Confirm deleting group</source>
        <translation>Löschen einer Gruppe bestätigen</translation>
    </message>
    <message>
        <source>The folder:

%s

does not exist. Do you want the folder to be created?</source>
        <translation>Der Ordner:

%s

existiert nicht. Soll der Ordner erstellt werden?</translation>
    </message>
    <message>
        <source>The folder:

%s

is invalid. Please reenter.</source>
        <translation>Der Ordner:

%s

ist ungültig. Bitte erneut eingeben.</translation>
    </message>
    <message>
        <source>The folder:

%s

can not be created. Please double check.</source>
        <translation>Der Ordner:

%s

kann nicht erstellt werden. Bitte überprüfen Sie ihn.</translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>Dem Betriebssystem fehlt es
an Speicher oder Ressourcen.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Der angegebene Pfad wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Das Betriebssystem hat den Zugriff
auf die angegebene Datei verweigert.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>Für diesen Vorgang war nicht genug Speicher vorhanden.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Die .EXE-Datei ist ungültig
(keine Win32-.EXE oder Fehler im .EXE-Abbild).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Eine Freigabeverletzung ist aufgetreten. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>Die Zuordnung des Dateinamens ist
unvollständig oder ungültig.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil die Anfrage zu lange dauerte.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>Die DDE-Transaktion ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>Die DDE-Transaktion konnte nicht
abgeschlossen werden, weil andere DDE-Transaktionen
gerade verarbeitet wurden.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Der angegebenen Dateiendung
ist keine Anwendung zugeordnet.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>Die angegebene dynamische Bibliothek wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Unknown Error (%d) occurred.</source>
        <translation>Ein unbekannter Fehler (%d) ist aufgetreten.</translation>
    </message>
    <message>
        <source>Give a password, a key file or both: a database cannot be opened with neither.</source>
        <translation>Geben Sie ein Passwort, eine Schlüsseldatei oder beides an: Ohne beides lässt sich eine Datenbank nicht öffnen.</translation>
    </message>
    <message>
        <source>The two passwords differ. Type them again.</source>
        <translation>Die beiden Passwörter sind verschieden. Geben Sie sie erneut ein.</translation>
    </message>
    <message>
        <source>Select a file to export</source>
        <translation>Datei für den Export auswählen</translation>
    </message>
    <message>
        <source>Text files (*.txt);;KeePass database (*.kdbx);;CSV (*.csv)</source>
        <translation>Textdateien (*.txt);;KeePass-Datenbank (*.kdbx);;CSV (*.csv)</translation>
    </message>
    <message>
        <source>The new password must differ from the KEY of %1: the KEY of a .pwd file can be recovered from any copy of that file, so it would open the database too.</source>
        <translation>Das neue Passwort muss sich vom KEY von %1 unterscheiden: Der KEY einer .pwd-Datei lässt sich aus jeder Kopie dieser Datei wiederherstellen, er würde also auch die Datenbank öffnen.</translation>
    </message>
    <message>
        <source>Writing %1 ...</source>
        <translation>%1 wird geschrieben ...</translation>
    </message>
    <message>
        <source>%1 will hold every password of this file as plain text: anyone who can read it reads them all, and no KEY protects it.

Export anyway?</source>
        <translation>%1 wird jedes Passwort dieser Datei als Klartext enthalten: Wer sie lesen kann, liest alle, und kein KEY schützt sie.

Trotzdem exportieren?</translation>
    </message>
    <message>
        <source>Select a file to import</source>
        <translation>Datei für den Import auswählen</translation>
    </message>
    <message>
        <source>KeePass database (*.kdbx);;CSV (*.csv);;All files (*)</source>
        <translation>KeePass-Datenbank (*.kdbx);;CSV (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Opening %1 ...</source>
        <translation>%1 wird geöffnet ...</translation>
    </message>
    <message>
        <source>%1 cannot be imported. %2</source>
        <translation>%1 kann nicht importiert werden. %2</translation>
    </message>
    <message>
        <source>Copy / Drag User Name</source>
        <translation>Benutzername kopieren / ziehen</translation>
    </message>
    <message>
        <source>Copy / Drag Password</source>
        <translation>Passwort kopieren / ziehen</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Bearbeiten...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Add Account...</source>
        <translation>&amp;Konto hinzufügen...</translation>
    </message>
    <message>
        <source>Add &amp;Group...</source>
        <translation>&amp;Gruppe hinzufügen...</translation>
    </message>
    <message>
        <source>Add Account...</source>
        <translation>Konto hinzufügen...</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keiner</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Account Replace Confirm</source>
        <translation>Konto ersetzen bestätigen</translation>
    </message>
    <message>
        <source>This group already contains a account named </source>
        <translation>Diese Gruppe enthält bereits ein Konto namens </translation>
    </message>
    <message>
        <source>Would you like to replace the exiting account?</source>
        <translation>Möchten Sie das vorhandene Konto ersetzen?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>Yes to &amp;all</source>
        <translation>Ja, &amp;alle</translation>
    </message>
    <message>
        <source>&amp;NO</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>Confirm password</source>
        <translation>Passwort bestätigen</translation>
    </message>
    <message>
        <source>&amp;Confirm:</source>
        <translation>&amp;Bestätigen:</translation>
    </message>
    <message>
        <source>&amp;No password (the key file alone opens it)</source>
        <translation>&amp;Kein Passwort (die Schlüsseldatei allein öffnet sie)</translation>
    </message>
    <message>
        <source>No password</source>
        <translation>Kein Passwort</translation>
    </message>
    <message>
        <source>Key file</source>
        <translation>Schlüsseldatei</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>&amp;Key file (optional):</source>
        <translation>&amp;Schlüsseldatei (optional):</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Seiten</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Page title</source>
        <translation>Seitentitel</translation>
    </message>
    <message>
        <source>Keyhaven Help</source>
        <translation>Keyhaven-Hilfe</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Always on Top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>Open Hyperlink</source>
        <translation>Hyperlink öffnen</translation>
    </message>
    <message>
        <source>Send E-Mail</source>
        <translation>E-Mail senden</translation>
    </message>
    <message>
        <source>Lock Program</source>
        <translation>Programm sperren</translation>
    </message>
    <message>
        <source>Main Window</source>
        <translation>Hauptfenster</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Show Menu</source>
        <translation>Menü anzeigen</translation>
    </message>
    <message>
        <source>Password Bar</source>
        <translation>Passwortleiste</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Öffnen...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Edit Account...</source>
        <translation>Konto bearbeiten...</translation>
    </message>
    <message>
        <source>Search Bar</source>
        <translation>Suchleiste</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Match whole word</source>
        <translation>Nur ganzes Wort</translation>
    </message>
    <message>
        <source>Match case </source>
        <translation>Groß-/Kleinschreibung beachten </translation>
    </message>
    <message>
        <source>Tray</source>
        <translation>Systembereich</translation>
    </message>
    <message>
        <source>Web Site</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>Copy All Accounts Here</source>
        <translation>Alle Konten hierher kopieren</translation>
    </message>
    <message>
        <source>Move All Accounts Here</source>
        <translation>Alle Konten hierher verschieben</translation>
    </message>
    <message>
        <source>Copy Here</source>
        <translation>Hierher kopieren</translation>
    </message>
    <message>
        <source>Move Here</source>
        <translation>Hierher verschieben</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Bezeichnung</translation>
    </message>
    <message>
        <source>Show Keyhaven</source>
        <translation>Keyhaven anzeigen</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Password strength</source>
        <translation>Passwortstärke</translation>
    </message>
    <message>
        <source>Strength: %1 (%2 bits)</source>
        <translation>Stärke: %1 (%2 Bit)</translation>
    </message>
    <message>
        <source>Strength: none</source>
        <translation>Stärke: keine</translation>
    </message>
    <message>
        <source>weak</source>
        <translation>schwach</translation>
    </message>
    <message>
        <source>Password Health</source>
        <translation>Passwortzustand</translation>
    </message>
    <message>
        <source>&amp;Weak below:</source>
        <translation>Schwach &amp;unter:</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Befunde</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Befund</translation>
    </message>
    <message>
        <source>Strength</source>
        <translation>Stärke</translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>; </source>
        <translation>; </translation>
    </message>
    <message>
        <source>%1 (%2 bits)</source>
        <translation>%1 (%2 Bit)</translation>
    </message>
    <message>
        <source>No account has an empty, weak or reused password.</source>
        <translation>Kein Konto hat ein leeres, schwaches oder mehrfach verwendetes Passwort.</translation>
    </message>
    <message>
        <source>Password &amp;Health...</source>
        <translation>Passwort&amp;zustand...</translation>
    </message>
    <message>
        <source>List the accounts whose passwords are empty, weak or used more than once
Password Health</source>
        <translation>Die Konten auflisten, deren Passwörter leer, schwach oder mehrfach verwendet sind
Passwortzustand</translation>
    </message>
    <message>
        <source>Filter: %1</source>
        <translation>Filter: %1</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>%1 was not written: another user can change a folder on the way to it, or put a link there, and could catch the passwords. Choose a folder of your own.</source>
        <translation>%1 wurde nicht geschrieben: Ein anderer Benutzer kann einen Ordner auf dem Weg dorthin ändern oder dort eine Verknüpfung anlegen und so die Passwörter abfangen. Wählen Sie einen eigenen Ordner.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Keyhaven developers
Keyhaven is free software: you may pass it on and change it under the terms of the GNU General Public License, version 3 or later. It comes with NO WARRANTY, to the extent permitted by law.</source>
        <translation>Copyright (C) 2026 Die Keyhaven-Entwickler
Keyhaven ist freie Software: Sie dürfen es unter den Bedingungen der GNU General Public License, Version 3 oder später, weitergeben und verändern. Es wird OHNE JEDE GEWÄHRLEISTUNG geliefert, soweit das Gesetz es zulässt.</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled; nothing was imported.</source>
        <translation>Der Import von %1 wurde abgebrochen; es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>Keyhaven locked while %1 was being read: the import was cancelled and nothing was imported.</source>
        <translation>Keyhaven wurde gesperrt, während %1 gelesen wurde: Der Import wurde abgebrochen, es wurde nichts importiert.</translation>
    </message>
    <message>
        <source>%1 is larger than 256 MB, the largest CSV file that can be imported; it was not read.</source>
        <translation>%1 ist größer als 256 MB, die größte CSV-Datei, die importiert werden kann; sie wurde nicht gelesen.</translation>
    </message>
    <message>
        <source>%1 is larger than 1 GB, the largest KeePass database that can be imported; it was not read.</source>
        <translation>%1 ist größer als 1 GB, die größte KeePass-Datenbank, die importiert werden kann; sie wurde nicht gelesen.</translation>
    </message>
    <message>
        <source>%1 asks for %2 to turn its password into its key, more than four times what KeePassXC makes a new database take. That may take minutes and slow the whole computer down.

Go on anyway?</source>
        <translation>%1 verlangt %2, um aus seinem Passwort seinen Schlüssel abzuleiten, mehr als das Vierfache dessen, womit KeePassXC eine neue Datenbank anlegt. Das kann Minuten dauern und den ganzen Computer verlangsamen.

Trotzdem fortfahren?</translation>
    </message>
    <message>
        <source>Your KEY is invalid!
A KEY cannot be empty.</source>
        <translation>Ihr KEY ist ungültig!
Ein KEY darf nicht leer sein.</translation>
    </message>
    <message>
        <source>New KEY is invalidate!
A KEY cannot be empty.</source>
        <translation>Der neue KEY ist ungültig!
Ein KEY darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The KEY is this file&apos;s master password: it is asked whenever the file is opened or unlocked, and it cannot be reset if forgotten.</source>
        <translation>Der KEY ist das Hauptpasswort dieser Datei: Er wird bei jedem Öffnen und Entsperren abgefragt und kann nicht zurückgesetzt werden, wenn Sie ihn vergessen.</translation>
    </message>
    <message>
        <source>This KEY is easy to guess: anyone who gets the file could find it. Several unrelated words make a KEY that is strong and easy to remember.

Use this KEY anyway?</source>
        <translation>Dieser KEY ist leicht zu erraten: Wer die Datei bekommt, könnte ihn finden. Mehrere Wörter, die nichts miteinander zu tun haben, ergeben einen KEY, der stark ist und sich leicht merken lässt.

Diesen KEY trotzdem verwenden?</translation>
    </message>
    <message>
        <source>Discard your changes to this account?</source>
        <translation>Ihre Änderungen an diesem Konto verwerfen?</translation>
    </message>
    <message>
        <source>Clipboard cleared</source>
        <translation>Zwischenablage geleert</translation>
    </message>
    <message>
        <source>Copy &amp;Password	Ctrl+C</source>
        <translation>&amp;Passwort kopieren	Strg+C</translation>
    </message>
    <message>
        <source>Copy &amp;User Name	Ctrl+B</source>
        <translation>Benutzer&amp;namen kopieren	Strg+B</translation>
    </message>
    <message>
        <source>Copy &amp;Name</source>
        <translation>N&amp;amen kopieren</translation>
    </message>
    <message>
        <source>Copy the selected account&apos;s password to the clipboard
Copy Password</source>
        <translation>Das Passwort des gewählten Kontos in die Zwischenablage kopieren
Passwort kopieren</translation>
    </message>
    <message>
        <source>Copy the selected account&apos;s user name to the clipboard
Copy User Name</source>
        <translation>Den Benutzernamen des gewählten Kontos in die Zwischenablage kopieren
Benutzernamen kopieren</translation>
    </message>
    <message>
        <source>Copy the name of the selected group or account
Copy Name</source>
        <translation>Den Namen der gewählten Gruppe oder des gewählten Kontos kopieren
Namen kopieren</translation>
    </message>
    <message numerus="yes">
        <source>%1 MiB of memory and %n passes</source>
        <comment>%1 MiB of memory and %n pass</comment>
        <translation>
            <numerusform>%1 MiB Speicher und %n Durchlauf</numerusform>
            <numerusform>%1 MiB Speicher und %n Durchläufe</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>used by %n accounts (set %1)</source>
        <comment>used by %n account (set %1)</comment>
        <translation>
            <numerusform>von %n Konto verwendet (Satz %1)</numerusform>
            <numerusform>von %n Konten verwendet (Satz %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n accounts need attention.</source>
        <comment>%1 of %n account needs attention.</comment>
        <translation>
            <numerusform>Aufmerksamkeit nötig: %1 von %n Konto.</numerusform>
            <numerusform>Aufmerksamkeit nötig: %1 von %n Konten.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Groups</source>
        <comment>%n Group</comment>
        <translation>
            <numerusform>%n Gruppe</numerusform>
            <numerusform>%n Gruppen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Accounts</source>
        <comment>%n Account</comment>
        <translation>
            <numerusform>%n Konto</numerusform>
            <numerusform>%n Konten</numerusform>
        </translation>
    </message>
    <message>
        <source>KEY for:  %1</source>
        <translation>KEY für:  %1</translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <comment>%n second</comment>
        <translation>
            <numerusform>%n Sekunde</numerusform>
            <numerusform>%n Sekunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

%1</source>
        <translation>Der Hyperlink kann nicht geöffnet werden:

%1</translation>
    </message>
    <message numerus="yes">
        <source>%n rounds of AES-KDF</source>
        <comment>%n round of AES-KDF</comment>
        <translation>
            <numerusform>%n Runde AES-KDF</numerusform>
            <numerusform>%n Runden AES-KDF</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Bytes</source>
        <comment>%n Byte</comment>
        <translation>
            <numerusform>%n Byte</numerusform>
            <numerusform>%n Bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>Do you really intend to delete the account
%1?</source>
        <translation>Möchten Sie das Konto
%1
wirklich löschen?</translation>
    </message>
    <message>
        <source>Can&apos;t find account which contains &quot;%1&quot;</source>
        <translation>Kein Konto gefunden, das „%1“ enthält</translation>
    </message>
    <message>
        <source>Recen&amp;t</source>
        <translation>&amp;Zuletzt verwendet</translation>
    </message>
    <message>
        <source>A&amp;dd opened file name to recent file list</source>
        <translation>Namen geöffneter Dateien zur Liste der zuletzt verwendeten Dateien &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Keyhaven is locked. Click its icon in the tray to come back.</source>
        <translation>Keyhaven ist gesperrt. Klicken Sie auf sein Symbol im Infobereich, um zurückzukehren.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n Groups shown</source>
        <comment>%1 of %n Group shown</comment>
        <translation>
            <numerusform>%1 von %n Gruppe angezeigt</numerusform>
            <numerusform>%1 von %n Gruppen angezeigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n Accounts shown</source>
        <comment>%1 of %n Account shown</comment>
        <translation>
            <numerusform>%1 von %n Konto angezeigt</numerusform>
            <numerusform>%1 von %n Konten angezeigt</numerusform>
        </translation>
    </message>
    <message>
        <source>No password file is open.</source>
        <translation>Keine Passwortdatei ist geöffnet.</translation>
    </message>
    <message>
        <source>New File...</source>
        <translation>Neue Datei...</translation>
    </message>
    <message>
        <source>Import into a New File...</source>
        <translation>In eine neue Datei importieren...</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Zuletzt verwendete Dateien</translation>
    </message>
    <message>
        <source>Checking the passwords ...</source>
        <translation>Die Passwörter werden geprüft ...</translation>
    </message>
    <message>
        <source>The check was cancelled. Choose a threshold to check again.</source>
        <translation>Die Prüfung wurde abgebrochen. Wählen Sie eine Schwelle, um erneut zu prüfen.</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exportiert nach %1</translation>
    </message>
    <message numerus="yes">
        <source>%n custom fields</source>
        <comment>%n custom field</comment>
        <translation>
            <numerusform>%n eigenes Feld</numerusform>
            <numerusform>%n eigene Felder</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n one-time-password settings</source>
        <comment>%n one-time-password setting</comment>
        <translation>
            <numerusform>%n Einmalpasswort-Einstellung</numerusform>
            <numerusform>%n Einmalpasswort-Einstellungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n attachments</source>
        <comment>%n attachment</comment>
        <translation>
            <numerusform>%n Anhang</numerusform>
            <numerusform>%n Anhänge</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sets of tags</source>
        <comment>%n set of tags</comment>
        <translation>
            <numerusform>%n Satz Schlagwörter</numerusform>
            <numerusform>%n Sätze Schlagwörter</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n expiry dates</source>
        <comment>%n expiry date</comment>
        <translation>
            <numerusform>%n Ablaufdatum</numerusform>
            <numerusform>%n Ablaufdaten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n further web sites</source>
        <comment>%n further web site</comment>
        <translation>
            <numerusform>%n weitere Website</numerusform>
            <numerusform>%n weitere Websites</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <comment>and %n more</comment>
        <translation>
            <numerusform>und %n weiterer</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>„%1“</translation>
    </message>
    <message numerus="yes">
        <source>the columns %1</source>
        <comment>the column %1</comment>
        <translation>
            <numerusform>die Spalte %1</numerusform>
            <numerusform>die Spalten %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; in %2</source>
        <translation>„%1“ in %2</translation>
    </message>
    <message numerus="yes">
        <source>%n entries with characters that the code page %1 cannot hold (%2)</source>
        <comment>%n entry with characters that the code page %1 cannot hold (%2)</comment>
        <translation>
            <numerusform>%n Eintrag mit Zeichen, die die Codepage %1 nicht darstellen kann (%2)</numerusform>
            <numerusform>%n Einträge mit Zeichen, die die Codepage %1 nicht darstellen kann (%2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries whose account the group already held and kept</source>
        <comment>%n entry whose account the group already held and kept</comment>
        <translation>
            <numerusform>%n Eintrag, dessen Konto die Gruppe schon hatte und behielt</numerusform>
            <numerusform>%n Einträge, deren Konto die Gruppe schon hatte und behielt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n groups (%1)</source>
        <comment>%n group (%1)</comment>
        <translation>
            <numerusform>%n Gruppe (%1)</numerusform>
            <numerusform>%n Gruppen (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n accounts</source>
        <comment>%n account</comment>
        <translation>
            <numerusform>%n Konto</numerusform>
            <numerusform>%n Konten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n accounts in %1</source>
        <comment>Imported %n account in %1</comment>
        <translation>
            <numerusform>%n Konto in %1 importiert</numerusform>
            <numerusform>%n Konten in %1 importiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n groups</source>
        <comment>%n group</comment>
        <translation>
            <numerusform>%n Gruppe</numerusform>
            <numerusform>%n Gruppen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; left out: %2.</source>
        <translation>%1; ausgelassen: %2.</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>nichts</translation>
    </message>
    <message numerus="yes">
        <source>Names longer than %n characters were cut: %1.</source>
        <comment>Names longer than %n character were cut: %1.</comment>
        <translation>
            <numerusform>Namen mit mehr als %n Zeichen wurden gekürzt: %1.</numerusform>
            <numerusform>Namen mit mehr als %n Zeichen wurden gekürzt: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>its name was cut to %n characters</source>
        <comment>its name was cut to %n character</comment>
        <translation>
            <numerusform>sein Name wurde auf %n Zeichen gekürzt</numerusform>
            <numerusform>sein Name wurde auf %n Zeichen gekürzt</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Accounts that lost something:</source>
        <translation>Konten, die etwas verloren haben:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more accounts</source>
        <comment>and %n more account</comment>
        <translation>
            <numerusform>und %n weiteres Konto</numerusform>
            <numerusform>und %n weitere Konten</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is larger than 64 MB, the largest key file that is read; it was not read.</source>
        <translation>%1 ist größer als 64 MB, die größte Schlüsseldatei, die gelesen wird; sie wurde nicht gelesen.</translation>
    </message>
    <message>
        <source>Password files and KeePass databases (*.kdbx *.pwd *.khv)</source>
        <translation>Passwortdateien und KeePass-Datenbanken (*.kdbx *.pwd *.khv)</translation>
    </message>
    <message>
        <source>KeePass databases, unreadable without the KEY, kept whole and opened by other password managers (*.kdbx);;Protected Keyhaven files, unreadable without the KEY (*.khv);;Keyhaven files, anyone who has one can read it and recover its KEY (*.pwd)</source>
        <translation>KeePass-Datenbanken, ohne den KEY nicht lesbar, ganz erhalten und von anderen Passwortmanagern geöffnet (*.kdbx);;Geschützte Keyhaven-Dateien, ohne den KEY nicht lesbar (*.khv);;Keyhaven-Dateien, wer eine hat, kann sie lesen und ihren KEY wiederherstellen (*.pwd)</translation>
    </message>
    <message>
        <source>%1 cannot keep everything this KeePass database holds:

%2
Save it as %1 anyway? What it cannot keep is left out of %1; the database stays as it is.</source>
        <translation>%1 kann nicht alles behalten, was diese KeePass-Datenbank enthält:

%2
Trotzdem als %1 speichern? Was sie nicht behalten kann, fehlt in %1; die Datenbank bleibt, wie sie ist.</translation>
    </message>
    <message>
        <source>%1 is a KeePass database of the older format KDBX 3.1. It is saved as KDBX 4, which KeePass 2.35 and later, KeePassXC 2.3 and later and today&apos;s phone apps open, but older programs cannot.

Save it as KDBX 4?</source>
        <translation>%1 ist eine KeePass-Datenbank im älteren Format KDBX 3.1. Sie wird als KDBX 4 gespeichert, das KeePass ab 2.35, KeePassXC ab 2.3 und heutige Telefon-Apps öffnen, ältere Programme aber nicht.

Als KDBX 4 speichern?</translation>
    </message>
    <message>
        <source>One-Time Code</source>
        <translation>Einmalcode</translation>
    </message>
    <message>
        <source>Copy / Drag One-Time Code</source>
        <translation>Einmalcode kopieren / ziehen</translation>
    </message>
    <message>
        <source>%1    (%2 s left)</source>
        <translation>%1    (noch %2 s)</translation>
    </message>
    <message>
        <source>Expired on %1</source>
        <translation>Abgelaufen am %1</translation>
    </message>
    <message>
        <source>Further Fields</source>
        <translation>Weitere Felder</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Double-click or press Enter to copy a value</source>
        <translation>Doppelklick oder Eingabetaste kopiert einen Wert</translation>
    </message>
    <message>
        <source>Account texts</source>
        <translation>Kontotexte</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>Felder</translation>
    </message>
    <message>
        <source>One-Time Password</source>
        <translation>Einmalpasswort</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Attachments</source>
        <translation>Anhänge</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Custom fields</source>
        <translation>Eigene Felder</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Geschützt</translation>
    </message>
    <message>
        <source>&amp;Add Field</source>
        <translation>Feld &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add field</source>
        <translation>Feld hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Remove Field</source>
        <translation>Feld &amp;entfernen</translation>
    </message>
    <message>
        <source>Remove field</source>
        <translation>Feld entfernen</translation>
    </message>
    <message>
        <source>A field needs a name.</source>
        <translation>Ein Feld braucht einen Namen.</translation>
    </message>
    <message>
        <source>Two fields are named &quot;%1&quot;: each field needs a name of its own.</source>
        <translation>Zwei Felder heißen „%1“: Jedes Feld braucht einen eigenen Namen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names what the account itself holds: give the field another name.</source>
        <translation>„%1“ bezeichnet, was das Konto selbst enthält: Geben Sie dem Feld einen anderen Namen.</translation>
    </message>
    <message>
        <source>otpauth &amp;URI:</source>
        <translation>otpauth-&amp;URI:</translation>
    </message>
    <message>
        <source>One-time password URI</source>
        <translation>URI des Einmalpassworts</translation>
    </message>
    <message>
        <source>Base32 &amp;secret:</source>
        <translation>Base32-&amp;Geheimnis:</translation>
    </message>
    <message>
        <source>Base32 secret</source>
        <translation>Base32-Geheimnis</translation>
    </message>
    <message>
        <source>Use Secre&amp;t</source>
        <translation>Geheimnis &amp;verwenden</translation>
    </message>
    <message>
        <source>Use secret</source>
        <translation>Geheimnis verwenden</translation>
    </message>
    <message>
        <source>A secret alone makes codes of 6 digits every 30 seconds with SHA-1.</source>
        <translation>Ein Geheimnis allein ergibt alle 30 Sekunden einen Code aus 6 Ziffern mit SHA-1.</translation>
    </message>
    <message>
        <source>One-time password status</source>
        <translation>Status des Einmalpassworts</translation>
    </message>
    <message>
        <source>No one-time password.</source>
        <translation>Kein Einmalpasswort.</translation>
    </message>
    <message>
        <source>The one-time password URI cannot be used: %1</source>
        <translation>Die URI des Einmalpassworts ist nicht verwendbar: %1</translation>
    </message>
    <message>
        <source>The secret is not Base32: only the letters A to Z and the digits 2 to 7 may stand in it.</source>
        <translation>Das Geheimnis ist kein Base32: Es darf nur die Buchstaben A bis Z und die Ziffern 2 bis 7 enthalten.</translation>
    </message>
    <message>
        <source>&amp;Tags:</source>
        <translation>&amp;Tags:</translation>
    </message>
    <message>
        <source>Tags</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>Separate tags with &quot;;&quot; or &quot;,&quot;.</source>
        <translation>Tags durch „;“ oder „,“ trennen.</translation>
    </message>
    <message>
        <source>&amp;Expires</source>
        <translation>&amp;Läuft ab</translation>
    </message>
    <message>
        <source>Expires</source>
        <translation>Läuft ab</translation>
    </message>
    <message>
        <source>Expiry time</source>
        <translation>Ablaufzeitpunkt</translation>
    </message>
    <message>
        <source>Attached files</source>
        <translation>Angehängte Dateien</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <comment>%n byte</comment>
        <translation>
            <numerusform>%n Byte</numerusform>
            <numerusform>%n Byte</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>Add attachment</source>
        <translation>Anhang hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save attachment as</source>
        <translation>Anhang speichern unter</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Remove attachment</source>
        <translation>Anhang entfernen</translation>
    </message>
    <message>
        <source>Attach a File</source>
        <translation>Datei anhängen</translation>
    </message>
    <message>
        <source>Save Attachment As</source>
        <translation>Anhang speichern unter</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB, the most a file attached to an account may be.</source>
        <translation>%1 ist größer als %2 MB, die größte Datei, die an ein Konto angehängt werden darf.</translation>
    </message>
    <message>
        <source>The account has an attachment named &quot;%1&quot; already.

Replace it?</source>
        <translation>Das Konto hat bereits einen Anhang namens „%1“.

Ersetzen?</translation>
    </message>
    <message>
        <source>Earlier versions</source>
        <translation>Frühere Versionen</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>The account has no earlier versions.</source>
        <translation>Das Konto hat keine früheren Versionen.</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Restore version</source>
        <translation>Version wiederherstellen</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(ohne Namen)</translation>
    </message>
    <message>
        <source>in the password</source>
        <translation>im Passwort</translation>
    </message>
    <message>
        <source>group %1</source>
        <translation>Gruppe %1</translation>
    </message>
    <message>
        <source>group %1 (%2)</source>
        <translation>Gruppe %1 (%2)</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
    <message numerus="yes">
        <source>Characters %1 cannot hold: %n entries are left out, for such characters in their texts or their group&apos;s name</source>
        <comment>Characters %1 cannot hold: %n entry is left out, for such characters in their texts or their group&apos;s name</comment>
        <translation>
            <numerusform>Zeichen, die %1 nicht fassen kann: %n Eintrag wird ausgelassen, wegen solcher Zeichen in seinen Texten oder im Namen seiner Gruppe</numerusform>
            <numerusform>Zeichen, die %1 nicht fassen kann: %n Einträge werden ausgelassen, wegen solcher Zeichen in ihren Texten oder im Namen ihrer Gruppe</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n group names hold them)</source>
        <comment> (%n group name holds them)</comment>
        <translation>
            <numerusform> (%n Gruppenname enthält sie)</numerusform>
            <numerusform> (%n Gruppennamen enthalten sie)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Nested groups: %n groups lie deeper than one level and become one flat name joined by &quot;/&quot;</source>
        <comment>Nested groups: %n group lies deeper than one level and becomes one flat name joined by &quot;/&quot;</comment>
        <translation>
            <numerusform>Verschachtelte Gruppen: %n Gruppe liegt tiefer als eine Ebene und wird ein flacher, mit „/“ verbundener Name</numerusform>
            <numerusform>Verschachtelte Gruppen: %n Gruppen liegen tiefer als eine Ebene und werden ein flacher, mit „/“ verbundener Name</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Custom fields: %n entries have custom fields, which are left out</source>
        <comment>Custom fields: %n entry has custom fields, which are left out</comment>
        <translation>
            <numerusform>Eigene Felder: %n Eintrag hat eigene Felder, die ausgelassen werden</numerusform>
            <numerusform>Eigene Felder: %n Einträge haben eigene Felder, die ausgelassen werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Long names: %n group paths and titles are longer than %1 characters and cut to fit</source>
        <comment>Long names: %n group path or title is longer than %1 characters and cut to fit</comment>
        <translation>
            <numerusform>Lange Namen: %n Gruppenpfad oder Titel ist länger als %1 Zeichen und wird gekürzt</numerusform>
            <numerusform>Lange Namen: %n Gruppenpfade und Titel sind länger als %1 Zeichen und werden gekürzt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Attachments: %n attachments of %1 in all are left out</source>
        <comment>Attachments: %n attachment of %1 in all is left out</comment>
        <translation>
            <numerusform>Anhänge: %n Anhang mit insgesamt %1 wird ausgelassen</numerusform>
            <numerusform>Anhänge: %n Anhänge mit insgesamt %1 werden ausgelassen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>History: %n earlier versions of entries are left out</source>
        <comment>History: %n earlier version of an entry is left out</comment>
        <translation>
            <numerusform>Verlauf: %n frühere Version eines Eintrags wird ausgelassen</numerusform>
            <numerusform>Verlauf: %n frühere Versionen von Einträgen werden ausgelassen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>One-time passwords: %n entries have one-time password settings, which are left out</source>
        <comment>One-time passwords: %n entry has one-time password settings, which are left out</comment>
        <translation>
            <numerusform>Einmalpasswörter: %n Eintrag hat Einstellungen für Einmalpasswörter, die ausgelassen werden</numerusform>
            <numerusform>Einmalpasswörter: %n Einträge haben Einstellungen für Einmalpasswörter, die ausgelassen werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tags: %n entries have tags, which are left out</source>
        <comment>Tags: %n entry has tags, which are left out</comment>
        <translation>
            <numerusform>Tags: %n Eintrag hat Tags, die ausgelassen werden</numerusform>
            <numerusform>Tags: %n Einträge haben Tags, die ausgelassen werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Expiry: %n entries have an expiry date, which is left out</source>
        <comment>Expiry: %n entry has an expiry date, which is left out</comment>
        <translation>
            <numerusform>Ablauf: %n Eintrag hat ein Ablaufdatum, das ausgelassen wird</numerusform>
            <numerusform>Ablauf: %n Einträge haben ein Ablaufdatum, das ausgelassen wird</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Recycle bin: %n entries in the recycle bin are left out</source>
        <comment>Recycle bin: %n entry in the recycle bin is left out</comment>
        <translation>
            <numerusform>Papierkorb: %n Eintrag im Papierkorb wird ausgelassen</numerusform>
            <numerusform>Papierkorb: %n Einträge im Papierkorb werden ausgelassen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Custom icons: %n entries and groups show a custom icon, which is left out</source>
        <comment>Custom icons: %n entry or group shows a custom icon, which is left out</comment>
        <translation>
            <numerusform>Eigene Symbole: %n Eintrag oder Gruppe zeigt ein eigenes Symbol, das ausgelassen wird</numerusform>
            <numerusform>Eigene Symbole: %n Einträge und Gruppen zeigen ein eigenes Symbol, das ausgelassen wird</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Group notes: %n groups have notes, which are left out</source>
        <comment>Group notes: %n group has notes, which are left out</comment>
        <translation>
            <numerusform>Gruppennotizen: %n Gruppe hat Notizen, die ausgelassen werden</numerusform>
            <numerusform>Gruppennotizen: %n Gruppen haben Notizen, die ausgelassen werden</numerusform>
        </translation>
    </message>
    <message>
        <source>The database nests its groups too deeply to be shown: the paths of its groups would take more than 64 MB.</source>
        <translation>Die Datenbank verschachtelt ihre Gruppen zu tief, um sie anzuzeigen: Die Pfade ihrer Gruppen würden mehr als 64 MB belegen.</translation>
    </message>
    <message>
        <source>Change Key: Current Database Key</source>
        <translation>KEY ändern: aktueller Datenbankschlüssel</translation>
    </message>
    <message>
        <source>Unlock KeePass Database</source>
        <translation>KeePass-Datenbank entsperren</translation>
    </message>
    <message>
        <source>Change Key: New Database Key</source>
        <translation>KEY ändern: neuer Datenbankschlüssel</translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
</context>
<context>
    <name>Strength</name>
    <message>
        <source>poor</source>
        <translation>sehr schwach</translation>
    </message>
    <message>
        <source>weak</source>
        <translation>schwach</translation>
    </message>
    <message>
        <source>reasonable</source>
        <translation>mittel</translation>
    </message>
    <message>
        <source>good</source>
        <translation>gut</translation>
    </message>
    <message>
        <source>excellent</source>
        <translation>ausgezeichnet</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
</context>
</TS>
