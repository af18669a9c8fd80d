<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Keyhaven</name>
    <message>
        <source>Keyhaven</source>
        <translation>Keyhaven</translation>
    </message>
    <message>
        <source>Keyhaven files (*.pwd)</source>
        <translation>Fichiers Keyhaven (*.pwd)</translation>
    </message>
    <message>
        <source>Protected Keyhaven files (*.khv)</source>
        <translation>Fichiers Keyhaven protégés (*.khv)</translation>
    </message>
    <message>
        <source>Keyhaven files (*.pwd *.khv)</source>
        <translation>Fichiers Keyhaven (*.pwd *.khv)</translation>
    </message>
    <message>
        <source>Protected Keyhaven files, unreadable without the KEY (*.khv);;Keyhaven files, anyone who has one can read it and recover its KEY (*.pwd)</source>
        <translation>Fichiers Keyhaven protégés, illisibles sans le KEY (*.khv);;Fichiers Keyhaven, quiconque en possède un peut le lire et retrouver son KEY (*.pwd)</translation>
    </message>
    <message>
        <source>Open KeePass Database</source>
        <translation>Ouvrir une base de données KeePass</translation>
    </message>
    <message>
        <source>New KeePass Database</source>
        <translation>Nouvelle base de données KeePass</translation>
    </message>
    <message>
        <source>Select a key file</source>
        <translation>Sélectionner un fichier clé</translation>
    </message>
    <message>
        <source>Key files (*.keyx *.key);;All files (*)</source>
        <translation>Fichiers clés (*.keyx *.key);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>Format de fichier inattendu.</translation>
    </message>
    <message>
        <source>%1
File not found.</source>
        <translation>%1
Fichier introuvable.</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>Impossible de lire %1&#xa0;: le fichier est ouvert par quelqu&apos;un d&apos;autre.</translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation>Impossible d&apos;écrire dans %1&#xa0;: le fichier est en lecture seule ou ouvert par quelqu&apos;un d&apos;autre.</translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation>Le disque de destination est plein.</translation>
    </message>
    <message>
        <source>An unexpected error occurred while reading %1.</source>
        <translation>Une erreur inattendue s&apos;est produite lors de la lecture de %1.</translation>
    </message>
    <message>
        <source>An unexpected error occurred while writing %1.</source>
        <translation>Une erreur inattendue s&apos;est produite lors de l&apos;écriture de %1.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program while Keyhaven was locked.

Yes: open it as it is now.
No: open another file.
Cancel: stay locked.</source>
        <translation>%1 a été modifié par un autre programme pendant que Keyhaven était verrouillé.

Oui&#xa0;: l&apos;ouvrir tel qu&apos;il est maintenant.
Non&#xa0;: ouvrir un autre fichier.
Annuler&#xa0;: rester verrouillé.</translation>
    </message>
    <message>
        <source>%1 has been removed or renamed by another program while Keyhaven was locked.

Yes: go on without a file.
No: open another file.
Cancel: stay locked.</source>
        <translation>%1 a été supprimé ou renommé par un autre programme pendant que Keyhaven était verrouillé.

Oui&#xa0;: continuer sans fichier.
Non&#xa0;: ouvrir un autre fichier.
Annuler&#xa0;: rester verrouillé.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program while Keyhaven was locked.

Yes: replace it with what Keyhaven shows now (the other change is lost).
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation>%1 a été modifié par un autre programme pendant que Keyhaven était verrouillé.

Oui&#xa0;: le remplacer par ce que Keyhaven affiche maintenant (l&apos;autre modification est perdue).
Non&#xa0;: enregistrer ce que Keyhaven affiche dans un autre fichier.
Annuler&#xa0;: ne rien enregistrer.</translation>
    </message>
    <message>
        <source>%1 has been removed or renamed by another program while Keyhaven was locked.

Yes: save what Keyhaven shows under its old name.
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation>%1 a été supprimé ou renommé par un autre programme pendant que Keyhaven était verrouillé.

Oui&#xa0;: enregistrer ce que Keyhaven affiche sous son ancien nom.
Non&#xa0;: enregistrer ce que Keyhaven affiche dans un autre fichier.
Annuler&#xa0;: ne rien enregistrer.</translation>
    </message>
    <message>
        <source>%1 asks for %2 to turn its KEY into its key, more than four times what Keyhaven uses. That may take minutes and slow the whole computer down.

Go on anyway?</source>
        <translation>%1 demande %2 pour dériver sa clé de son KEY, plus de quatre fois ce qu&apos;utilise Keyhaven. Cela peut prendre des minutes et ralentir tout l&apos;ordinateur.

Continuer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Checking the KEY of %1 ...</source>
        <translation>Vérification du KEY de %1 ...</translation>
    </message>
    <message>
        <source>%1 is a protected file: it cannot be written without its KEY.</source>
        <translation>%1 est un fichier protégé&#xa0;: il ne peut pas être écrit sans son KEY.</translation>
    </message>
    <message>
        <source>The new KEY must differ from the old one: the KEY of a .pwd file can be recovered from any copy of that file (and of its backups), so the old KEY would open the new file too.</source>
        <translation>Le nouveau KEY doit être différent de l&apos;ancien&#xa0;: le KEY d&apos;un fichier .pwd peut être retrouvé à partir de n&apos;importe quelle copie de ce fichier (et de ses sauvegardes), donc l&apos;ancien KEY ouvrirait aussi le nouveau fichier.</translation>
    </message>
    <message>
        <source>A .pwd file does not protect its passwords: anyone who has %1 can read every password in it and recover its KEY.

Save it as .pwd anyway? You will choose a new KEY for it.</source>
        <translation>Un fichier .pwd ne protège pas ses mots de passe&#xa0;: quiconque possède %1 peut lire tous ses mots de passe et retrouver son KEY.

L&apos;enregistrer quand même au format .pwd&#xa0;? Vous choisirez un nouveau KEY pour lui.</translation>
    </message>
    <message>
        <source>%1 is saved and sealed.

The old file still gives away every password and its KEY to anyone who has a copy:
%2

Remove the old file and its backup copies now?</source>
        <translation>%1 est enregistré et scellé.

L&apos;ancien fichier livre toujours chaque mot de passe et son KEY à quiconque en possède une copie&#xa0;:
%2

Supprimer maintenant l&apos;ancien fichier et ses copies de sauvegarde&#xa0;?</translation>
    </message>
    <message>
        <source>%1 could not be removed.</source>
        <translation>%1 n&apos;a pas pu être supprimé.</translation>
    </message>
    <message>
        <source>%1 is larger than 1 GB; it cannot be a password file and was not read.</source>
        <translation>%1 dépasse 1 Go&#xa0;; ce ne peut pas être un fichier de mots de passe, il n&apos;a pas été lu.</translation>
    </message>
    <message>
        <source>There is not enough memory to read %1.</source>
        <translation>Il n&apos;y a pas assez de mémoire pour lire %1.</translation>
    </message>
    <message>
        <source>There is not enough memory to open %1.</source>
        <translation>Il n&apos;y a pas assez de mémoire pour ouvrir %1.</translation>
    </message>
    <message>
        <source>There is not enough memory to seal %1 under its KEY; it was not written.</source>
        <translation>Il n&apos;y a pas assez de mémoire pour sceller %1 sous son KEY&#xa0;; il n&apos;a pas été écrit.</translation>
    </message>
    <message>
        <source>%1 is being changed by another program; try again in a moment.</source>
        <translation>%1 est en cours de modification par un autre programme&#xa0;; réessayez dans un instant.</translation>
    </message>
    <message>
        <source>%1 has been changed by another program since Keyhaven read or last saved it.

Yes: replace it with what Keyhaven shows now (the other change is lost).
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation>%1 a été modifié par un autre programme depuis que Keyhaven l&apos;a lu ou enregistré pour la dernière fois.

Oui&#xa0;: le remplacer par ce que Keyhaven affiche maintenant (l&apos;autre modification est perdue).
Non&#xa0;: enregistrer ce que Keyhaven affiche dans un autre fichier.
Annuler&#xa0;: ne rien enregistrer.</translation>
    </message>
    <message>
        <source>Account can not be empty!</source>
        <translation>Le compte ne peut pas être vide&#xa0;!</translation>
    </message>
    <message>
        <source>Account name should not be same!</source>
        <translation>Le nom du compte ne doit pas être identique à un autre&#xa0;!</translation>
    </message>
    <message>
        <source>Group name should not be empty.</source>
        <translation>Le nom du groupe ne doit pas être vide.</translation>
    </message>
    <message>
        <source>Group name should not be same.</source>
        <translation>Le nom du groupe ne doit pas être identique à un autre.</translation>
    </message>
    <message>
        <source>At least one(1) group should be contained.</source>
        <translation>Au moins un (1) groupe doit être présent.</translation>
    </message>
    <message>
        <source>This file has no group to hold the account.
Please add a group first.</source>
        <translation>Ce fichier n&apos;a aucun groupe pour recevoir le compte.
Veuillez d&apos;abord ajouter un groupe.</translation>
    </message>
    <message>
        <source>The file&apos;s texts can not contain the character &quot;%1&quot; (U+%2).
Please use another one.</source>
        <translation>Les textes du fichier ne peuvent pas contenir le caractère « %1 » (U+%2).
Veuillez en utiliser un autre.</translation>
    </message>
    <message>
        <source>Add Account</source>
        <translation>Ajouter un compte</translation>
    </message>
    <message>
        <source>Edit the Account</source>
        <translation>Modifier le compte</translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation>Ajouter un groupe</translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation>Modifier le groupe</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>Supprimer le groupe</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Groupe</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>Nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Commentaires</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Compte</translation>
    </message>
    <message>
        <source>Hyperlink</source>
        <translation>Lien hypertexte</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-mail</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Nom du groupe&#xa0;:</translation>
    </message>
    <message>
        <source>Choose a group</source>
        <translation>Choisir un groupe</translation>
    </message>
    <message>
        <source>New name</source>
        <translation>Nouveau nom</translation>
    </message>
    <message>
        <source>WARNING:	If you delete a group, all accounts under the group will be removed.</source>
        <translation>ATTENTION&#xa0;:	Si vous supprimez un groupe, tous les comptes de ce groupe seront supprimés.</translation>
    </message>
    <message>
        <source>Paste User Name</source>
        <translation>Coller le nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Generate Password</source>
        <translation>Générer un mot de passe</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>Show password</source>
        <translation>Afficher le mot de passe</translation>
    </message>
    <message>
        <source>Password Generator Settings</source>
        <translation>Paramètres du générateur de mots de passe</translation>
    </message>
    <message>
        <source>Paste Hyperlink</source>
        <translation>Coller le lien hypertexte</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Test Hyperlink</source>
        <translation>Tester le lien hypertexte</translation>
    </message>
    <message>
        <source>Paste E-Mail</source>
        <translation>Coller l&apos;e-mail</translation>
    </message>
    <message>
        <source>Select a program or file</source>
        <translation>Sélectionner un programme ou un fichier</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Keyhaven	Version %1</source>
        <translation>Keyhaven	Version %1</translation>
    </message>
    <message>
        <source>About Keyhaven</source>
        <translation>À propos de Keyhaven</translation>
    </message>
    <message>
        <source>There is no last file to open.</source>
        <translation>Il n&apos;y a pas de dernier fichier à ouvrir.</translation>
    </message>
    <message>
        <source>The last file was not found.</source>
        <translation>Le dernier fichier est introuvable.</translation>
    </message>
    <message>
        <source>There is no specified file to open.</source>
        <translation>Aucun fichier à ouvrir n&apos;a été indiqué.</translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation>Le fichier indiqué est introuvable.</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groupes</translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation>Comptes</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Fichier récent</translation>
    </message>
    <message>
        <source>Password copied</source>
        <translation>Mot de passe copié</translation>
    </message>
    <message>
        <source>Protect this file</source>
        <translation>Protéger ce fichier</translation>
    </message>
    <message>
        <source>Anyone who has a copy of this .pwd file can read every password in it and recover its KEY. Save it as a protected .khv file with a new KEY?</source>
        <translation>Quiconque possède une copie de ce fichier .pwd peut lire tous ses mots de passe et retrouver son KEY. L&apos;enregistrer comme fichier .khv protégé avec un nouveau KEY&#xa0;?</translation>
    </message>
    <message>
        <source>Save as .khv...</source>
        <translation>Enregistrer en .khv...</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Pas maintenant</translation>
    </message>
    <message>
        <source>Password copied; clipboard cleared in %1 s</source>
        <translation>Mot de passe copié&#xa0;; presse-papiers vidé dans %1 s</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Affichage</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Outils</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;ide</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Nouveau	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Ouvrir...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Enregistrer	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Imprimer...</translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation>I&amp;mporter...</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>E&amp;xporter...</translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation>&amp;Propriétés</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Add &amp;Account...	Ctrl+A</source>
        <translation>Ajouter un &amp;compte...	Ctrl+A</translation>
    </message>
    <message>
        <source>Add &amp;Group...	Ctrl+G</source>
        <translation>Ajouter un &amp;groupe...	Ctrl+G</translation>
    </message>
    <message>
        <source>&amp;Edit...	Ctrl+E</source>
        <translation>&amp;Modifier...	Ctrl+E</translation>
    </message>
    <message>
        <source>&amp;Delete...	Ctrl+D</source>
        <translation>&amp;Supprimer...	Ctrl+D</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>Barre d&apos;&amp;outils</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>Barre d&apos;é&amp;tat</translation>
    </message>
    <message>
        <source>S&amp;earch Bar	Ctrl+F</source>
        <translation>Barre de &amp;recherche	Ctrl+F</translation>
    </message>
    <message>
        <source>&amp;Password Bar	F2</source>
        <translation>Barre des mots de &amp;passe	F2</translation>
    </message>
    <message>
        <source>Always on T&amp;op	F3</source>
        <translation>Toujours au premier p&amp;lan	F3</translation>
    </message>
    <message>
        <source>Change &amp;KEY...</source>
        <translation>Changer le &amp;KEY...</translation>
    </message>
    <message>
        <source>&amp;Mask Passwords</source>
        <translation>&amp;Masquer les mots de passe</translation>
    </message>
    <message>
        <source>&amp;Lock</source>
        <translation>&amp;Verrouiller</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>&amp;Options...</translation>
    </message>
    <message>
        <source>&amp;Add Here</source>
        <translation>&amp;Ajouter ici</translation>
    </message>
    <message>
        <source>&amp;Clear on Exit</source>
        <translation>&amp;Vider en quittant</translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation>&amp;Sommaire	F1</translation>
    </message>
    <message>
        <source>&amp;Website</source>
        <translation>Site &amp;web</translation>
    </message>
    <message>
        <source>&amp;Support</source>
        <translation>&amp;Assistance</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Main &amp;Window</source>
        <translation>&amp;Fenêtre principale</translation>
    </message>
    <message>
        <source>Password &amp;Bar</source>
        <translation>&amp;Barre des mots de passe</translation>
    </message>
    <message>
        <source>Create a new file
New</source>
        <translation>Créer un nouveau fichier
Nouveau</translation>
    </message>
    <message>
        <source>Open an existing file
Open</source>
        <translation>Ouvrir un fichier existant
Ouvrir</translation>
    </message>
    <message>
        <source>Close the active file
Close</source>
        <translation>Fermer le fichier actif
Fermer</translation>
    </message>
    <message>
        <source>Save the active file
Save</source>
        <translation>Enregistrer le fichier actif
Enregistrer</translation>
    </message>
    <message>
        <source>Save the active file with a new name
Save As</source>
        <translation>Enregistrer le fichier actif sous un nouveau nom
Enregistrer sous</translation>
    </message>
    <message>
        <source>Print password information</source>
        <translation>Imprimer les informations des mots de passe</translation>
    </message>
    <message>
        <source>Bring in the accounts of another password manager&apos;s file
Import</source>
        <translation>Reprendre les comptes du fichier d&apos;un autre gestionnaire de mots de passe
Importer</translation>
    </message>
    <message>
        <source>Show file properties
Proerties</source>
        <translation>Afficher les propriétés du fichier
Propriétés</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>Quitter l&apos;application&#xa0;; propose d&apos;enregistrer les documents
Quitter</translation>
    </message>
    <message>
        <source>Add an account
Add Account</source>
        <translation>Ajouter un compte
Ajouter un compte</translation>
    </message>
    <message>
        <source>Add a group
Add Group</source>
        <translation>Ajouter un groupe
Ajouter un groupe</translation>
    </message>
    <message>
        <source>Edit account or group
Edit</source>
        <translation>Modifier le compte ou le groupe
Modifier</translation>
    </message>
    <message>
        <source>Delete account or group
Delete</source>
        <translation>Supprimer le compte ou le groupe
Supprimer</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>Afficher ou masquer la barre d&apos;outils
Barre d&apos;outils</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>Afficher ou masquer la barre d&apos;état
Barre d&apos;état</translation>
    </message>
    <message>
        <source>Show or hide the search bar</source>
        <translation>Afficher ou masquer la barre de recherche</translation>
    </message>
    <message>
        <source>Switch to password bar
Password Bar</source>
        <translation>Passer à la barre des mots de passe
Barre des mots de passe</translation>
    </message>
    <message>
        <source>Set window always on the top
Always on Top</source>
        <translation>Garder la fenêtre toujours au premier plan
Toujours au premier plan</translation>
    </message>
    <message>
        <source>Set window always on the top</source>
        <translation>Garder la fenêtre toujours au premier plan</translation>
    </message>
    <message>
        <source>Change your KEY</source>
        <translation>Changer votre KEY</translation>
    </message>
    <message>
        <source>Mask your passwords with *</source>
        <translation>Masquer vos mots de passe par des *</translation>
    </message>
    <message>
        <source>Minize and lock the program
Lock</source>
        <translation>Réduire et verrouiller le programme
Verrouiller</translation>
    </message>
    <message>
        <source>Change options
Options</source>
        <translation>Modifier les options
Options</translation>
    </message>
    <message>
        <source>Open this file</source>
        <translation>Ouvrir ce fichier</translation>
    </message>
    <message>
        <source>Add file name here when you open a file</source>
        <translation>Ajouter ici le nom du fichier lorsque vous ouvrez un fichier</translation>
    </message>
    <message>
        <source>Clear recent file list on exit</source>
        <translation>Vider la liste des fichiers récents en quittant</translation>
    </message>
    <message>
        <source>Use help
Help</source>
        <translation>Utiliser l&apos;aide
Aide</translation>
    </message>
    <message>
        <source>Visit website for product information</source>
        <translation>Visiter le site web pour des informations sur le produit</translation>
    </message>
    <message>
        <source>Send an e-mail to the Keyhaven support team</source>
        <translation>Envoyer un e-mail à l&apos;équipe d&apos;assistance de Keyhaven</translation>
    </message>
    <message>
        <source>Display the product information
About</source>
        <translation>Afficher les informations sur le produit
À propos</translation>
    </message>
    <message>
        <source>New KEYs do not mach!
Please enter again!</source>
        <translation>Les nouveaux KEY ne correspondent pas&#xa0;!
Veuillez les saisir à nouveau&#xa0;!</translation>
    </message>
    <message>
        <source>New KEY is invalidate!</source>
        <translation>Le nouveau KEY n&apos;est pas valide&#xa0;!</translation>
    </message>
    <message>
        <source>Original KEY is invalidate!
You can not change Key!</source>
        <translation>Le KEY d&apos;origine n&apos;est pas valide&#xa0;!
Vous ne pouvez pas changer le KEY&#xa0;!</translation>
    </message>
    <message>
        <source>Your KEY is invalid!</source>
        <translation>Votre KEY n&apos;est pas valide&#xa0;!</translation>
    </message>
    <message>
        <source>The KEY holds a character that the file&apos;s code page cannot hold.
Please use another one.</source>
        <translation>Le KEY contient un caractère que la page de code du fichier ne peut pas représenter.
Veuillez en utiliser un autre.</translation>
    </message>
    <message>
        <source>This file hasn&apos;t KEY and it is READ-ONLY, so you can&apos;t open it.</source>
        <translation>Ce fichier n&apos;a pas de KEY et il est en LECTURE SEULE&#xa0;: vous ne pouvez donc pas l&apos;ouvrir.</translation>
    </message>
    <message>
        <source>The file hasn&apos;t its KEY, you must create it now.</source>
        <translation>Le fichier n&apos;a pas de KEY, vous devez le créer maintenant.</translation>
    </message>
    <message>
        <source>File is READ-ONLY, you can&apos;t change its KEY.</source>
        <translation>Le fichier est en LECTURE SEULE, vous ne pouvez pas changer son KEY.</translation>
    </message>
    <message>
        <source>KEY is changed!</source>
        <translation>Le KEY a été changé&#xa0;!</translation>
    </message>
    <message>
        <source>KEY is not changed!</source>
        <translation>Le KEY n&apos;a pas été changé&#xa0;!</translation>
    </message>
    <message>
        <source>KEY for:  </source>
        <translation>KEY pour&#xa0;:  </translation>
    </message>
    <message>
        <source>Create KEY</source>
        <translation>Créer le KEY</translation>
    </message>
    <message>
        <source>Check Key</source>
        <translation>Vérifier le KEY</translation>
    </message>
    <message>
        <source>Change Key</source>
        <translation>Changer le KEY</translation>
    </message>
    <message>
        <source>Create KEY for new file</source>
        <translation>Créer le KEY du nouveau fichier</translation>
    </message>
    <message>
        <source>Confirm KEY</source>
        <translation>Confirmer le KEY</translation>
    </message>
    <message>
        <source>Original KEY</source>
        <translation>KEY d&apos;origine</translation>
    </message>
    <message>
        <source>New KEY</source>
        <translation>Nouveau KEY</translation>
    </message>
    <message>
        <source>Confirm Key</source>
        <translation>Confirmer le KEY</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>File format is not supported.</source>
        <translation>Le format de fichier n&apos;est pas pris en charge.</translation>
    </message>
    <message>
        <source>This file is READ-ONLY, you can&apos;t save itself.
Do you want to save it as another file?</source>
        <translation>Ce fichier est en LECTURE SEULE, vous ne pouvez pas l&apos;enregistrer lui-même.
Voulez-vous l&apos;enregistrer dans un autre fichier&#xa0;?</translation>
    </message>
    <message>
        <source>Backup file failed, be sure your backup path is correct.</source>
        <translation>La sauvegarde du fichier a échoué, vérifiez que votre chemin de sauvegarde est correct.</translation>
    </message>
    <message>
        <source>Your document has been modified,do you want to save it?</source>
        <translation>Votre document a été modifié, voulez-vous l&apos;enregistrer&#xa0;?</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Enregistrer les modifications de %1&#xa0;?</translation>
    </message>
    <message>
        <source>NewPassword</source>
        <translation>NouveauxMotsDePasse</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>File Propety</source>
        <translation>Propriétés du fichier</translation>
    </message>
    <message>
        <source>Contains:</source>
        <translation>Contient&#xa0;:</translation>
    </message>
    <message>
        <source>Loaction:</source>
        <translation>Emplacement&#xa0;:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Created:</source>
        <translation>Créé&#xa0;:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Modifié&#xa0;:</translation>
    </message>
    <message>
        <source>Accessed:</source>
        <translation>Dernier accès&#xa0;:</translation>
    </message>
    <message>
        <source>Protection:</source>
        <translation>Protection&#xa0;:</translation>
    </message>
    <message>
        <source>None: anyone who has a .pwd file can read it and recover its KEY. Save it as .khv to seal it.</source>
        <translation>Aucune&#xa0;: quiconque possède un fichier .pwd peut le lire et retrouver son KEY. Enregistrez-le en .khv pour le sceller.</translation>
    </message>
    <message>
        <source>Sealed: it can not be read without its KEY.</source>
        <translation>Scellé&#xa0;: il ne peut pas être lu sans son KEY.</translation>
    </message>
    <message>
        <source>Open padlock</source>
        <translation>Cadenas ouvert</translation>
    </message>
    <message>
        <source>Closed padlock</source>
        <translation>Cadenas fermé</translation>
    </message>
    <message>
        <source>Attributes:</source>
        <translation>Attributs&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Read-only</source>
        <translation>&amp;Lecture seule</translation>
    </message>
    <message>
        <source>&amp;Hidden</source>
        <translation>&amp;Caché</translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation>&amp;Archive</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>Appli&amp;quer</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrage</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Sécurité</translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation>Raccourci clavier</translation>
    </message>
    <message>
        <source>Password Generator</source>
        <translation>Générateur de mots de passe</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Autres</translation>
    </message>
    <message>
        <source>Set Password Bar as default interface</source>
        <translation>Utiliser la barre des mots de passe comme interface par défaut</translation>
    </message>
    <message>
        <source>Run automatically &amp;when I log in</source>
        <translation>Lancer automatiquement à l&apos;&amp;ouverture de session</translation>
    </message>
    <message>
        <source>Do&amp;n&apos;t open file at starting</source>
        <translation>&amp;Ne pas ouvrir de fichier au démarrage</translation>
    </message>
    <message>
        <source>Open &amp;last file at starting</source>
        <translation>Ouvrir le &amp;dernier fichier au démarrage</translation>
    </message>
    <message>
        <source>Always start with &amp;this file</source>
        <translation>Toujours démarrer avec &amp;ce fichier</translation>
    </message>
    <message>
        <source>Auto Open</source>
        <translation>Ouverture automatique</translation>
    </message>
    <message>
        <source>Select a file</source>
        <translation>Sélectionner un fichier</translation>
    </message>
    <message>
        <source>Auto &amp;save file</source>
        <translation>&amp;Enregistrer automatiquement le fichier</translation>
    </message>
    <message>
        <source>&amp;Backup file before saving</source>
        <translation>&amp;Sauvegarder le fichier avant l&apos;enregistrement</translation>
    </message>
    <message>
        <source>&amp;Clear recent file list when exiting</source>
        <translation>&amp;Vider la liste des fichiers récents en quittant</translation>
    </message>
    <message>
        <source>Save file</source>
        <translation>Enregistrement du fichier</translation>
    </message>
    <message>
        <source>Recent file list</source>
        <translation>Liste des fichiers récents</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>Dossier de sauvegarde</translation>
    </message>
    <message>
        <source>Select a directory backup your files</source>
        <translation>Sélectionner un dossier pour sauvegarder vos fichiers</translation>
    </message>
    <message>
        <source>&amp;Mask passwords when shown</source>
        <translation>&amp;Masquer les mots de passe affichés</translation>
    </message>
    <message>
        <source>Auto lock</source>
        <translation>Verrouillage automatique</translation>
    </message>
    <message>
        <source>Auto exit</source>
        <translation>Fermeture automatique</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Jamais</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 minutes</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 minutes</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 minutes</translation>
    </message>
    <message>
        <source>Customize</source>
        <translation>Personnaliser</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Heures</translation>
    </message>
    <message>
        <source>Lock when the screen &amp;locks</source>
        <translation>Verrouiller quand l&apos;écran se &amp;verrouille</translation>
    </message>
    <message>
        <source>Clear the clipboard after</source>
        <translation>Vider le presse-papiers après</translation>
    </message>
    <message>
        <source>Activate the text box and press desired key combination</source>
        <translation>Activez la zone de texte et appuyez sur la combinaison de touches souhaitée</translation>
    </message>
    <message>
        <source>Note: If you choose to hide system tray icon,  you must use a HOT KEY.</source>
        <translation>Remarque&#xa0;: si vous choisissez de masquer l&apos;icône de la zone de notification, vous devez utiliser un RACCOURCI CLAVIER.</translation>
    </message>
    <message>
        <source>&amp;Hide system tray icon</source>
        <translation>&amp;Masquer l&apos;icône de la zone de notification</translation>
    </message>
    <message>
        <source>Before you choose to hide the system tray icon, you must set a hot key to recall the program.</source>
        <translation>Avant de masquer l&apos;icône de la zone de notification, vous devez définir un raccourci clavier pour rappeler le programme.</translation>
    </message>
    <message>
        <source>This desktop offers no global hot key (neither an X server nor the desktop portal&apos;s global shortcuts), so a key set here would never work.</source>
        <translation>Ce bureau n&apos;offre aucun raccourci clavier global (ni serveur X, ni raccourcis globaux du portail du bureau)&#xa0;: un raccourci défini ici ne fonctionnerait donc jamais.</translation>
    </message>
    <message>
        <source>This desktop offers no global hot key, so the system tray icon is the only way back to the program and cannot be hidden.</source>
        <translation>Ce bureau n&apos;offre aucun raccourci clavier global&#xa0;: l&apos;icône de la zone de notification est donc le seul moyen de revenir au programme et ne peut pas être masquée.</translation>
    </message>
    <message>
        <source>Always on Top is not available on Wayland: the compositor alone decides which window stays above the others.</source>
        <translation>« Toujours au premier plan » n&apos;est pas disponible sous Wayland&#xa0;: seul le compositeur décide quelle fenêtre reste au-dessus des autres.</translation>
    </message>
    <message>
        <source>&amp;Uppercase</source>
        <translation>&amp;Majuscules</translation>
    </message>
    <message>
        <source>&amp;Lowcase</source>
        <translation>Mi&amp;nuscules</translation>
    </message>
    <message>
        <source>&amp;Numbers</source>
        <translation>&amp;Chiffres</translation>
    </message>
    <message>
        <source>&amp;Special</source>
        <translation>&amp;Spéciaux</translation>
    </message>
    <message>
        <source>S&amp;pace</source>
        <translation>Es&amp;pace</translation>
    </message>
    <message>
        <source>&amp;Range</source>
        <translation>Pla&amp;ge</translation>
    </message>
    <message>
        <source>Speci&amp;fy</source>
        <translation>&amp;Indiquer</translation>
    </message>
    <message>
        <source>Letters</source>
        <translation>Caractères</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Longueur</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Generated password</source>
        <translation>Mot de passe généré</translation>
    </message>
    <message>
        <source>Your Password length at least is 1.</source>
        <translation>Votre mot de passe doit contenir au moins 1 caractère.</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Réduire</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>Verrouiller</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Minimize button</source>
        <translation>Bouton Réduire</translation>
    </message>
    <message>
        <source>Close button</source>
        <translation>Bouton Fermer</translation>
    </message>
    <message>
        <source>Show confirm dialog before deleting account</source>
        <translation>Demander confirmation avant de supprimer un compte</translation>
    </message>
    <message>
        <source>Confirm deleting group</source>
        <translation>Confirmer la suppression d&apos;un groupe</translation>
    </message>
    <message>
        <source>The folder:

%s

does not exist. Do you want the folder to be created?</source>
        <translation>Le dossier&#xa0;:

%s

n&apos;existe pas. Voulez-vous le créer&#xa0;?</translation>
    </message>
    <message>
        <source>The folder:

%s

is invalid. Please reenter.</source>
        <translation>Le dossier&#xa0;:

%s

n&apos;est pas valide. Veuillez le saisir à nouveau.</translation>
    </message>
    <message>
        <source>The folder:

%s

can not be created. Please double check.</source>
        <translation>Le dossier&#xa0;:

%s

ne peut pas être créé. Veuillez vérifier.</translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation>Le système d&apos;exploitation manque
de mémoire ou de ressources.</translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation>Le chemin indiqué est introuvable.</translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation>Le système d&apos;exploitation a refusé
l&apos;accès au fichier indiqué.</translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation>Il n&apos;y avait pas assez de mémoire pour terminer l&apos;opération.</translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation>Le fichier .EXE n&apos;est pas valide
(.EXE non Win32 ou erreur dans l&apos;image .EXE).</translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation>Une violation de partage s&apos;est produite. </translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation>L&apos;association du nom de fichier est
incomplète ou non valide.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation>La transaction DDE n&apos;a pas pu
être terminée car la requête a expiré.</translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation>La transaction DDE a échoué.</translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation>La transaction DDE n&apos;a pas pu
être terminée car d&apos;autres transactions DDE
étaient en cours de traitement.</translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation>Aucune application n&apos;est associée
à l&apos;extension de nom de fichier indiquée.</translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation>La bibliothèque de liens dynamiques indiquée est introuvable.</translation>
    </message>
    <message>
        <source>Unknown Error (%d) occurred.</source>
        <translation>Une erreur inconnue (%d) s&apos;est produite.</translation>
    </message>
    <message>
        <source>Give a password, a key file or both: a database cannot be opened with neither.</source>
        <translation>Indiquez un mot de passe, un fichier clé ou les deux&#xa0;: une base de données ne peut s&apos;ouvrir sans l&apos;un ni l&apos;autre.</translation>
    </message>
    <message>
        <source>The two passwords differ. Type them again.</source>
        <translation>Les deux mots de passe diffèrent. Saisissez-les à nouveau.</translation>
    </message>
    <message>
        <source>Select a file to export</source>
        <translation>Sélectionner un fichier pour l&apos;exportation</translation>
    </message>
    <message>
        <source>Text files (*.txt);;KeePass database (*.kdbx);;CSV (*.csv)</source>
        <translation>Fichiers texte (*.txt);;Base de données KeePass (*.kdbx);;CSV (*.csv)</translation>
    </message>
    <message>
        <source>The new password must differ from the KEY of %1: the KEY of a .pwd file can be recovered from any copy of that file, so it would open the database too.</source>
        <translation>Le nouveau mot de passe doit être différent du KEY de %1&#xa0;: le KEY d&apos;un fichier .pwd peut être retrouvé à partir de n&apos;importe quelle copie de ce fichier, il ouvrirait donc aussi la base de données.</translation>
    </message>
    <message>
        <source>Writing %1 ...</source>
        <translation>Écriture de %1 ...</translation>
    </message>
    <message>
        <source>%1 will hold every password of this file as plain text: anyone who can read it reads them all, and no KEY protects it.

Export anyway?</source>
        <translation>%1 contiendra chaque mot de passe de ce fichier en clair&#xa0;: quiconque peut le lire les lit tous, et aucun KEY ne le protège.

Exporter quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Select a file to import</source>
        <translation>Sélectionner un fichier à importer</translation>
    </message>
    <message>
        <source>KeePass database (*.kdbx);;CSV (*.csv);;All files (*)</source>
        <translation>Base de données KeePass (*.kdbx);;CSV (*.csv);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Opening %1 ...</source>
        <translation>Ouverture de %1 ...</translation>
    </message>
    <message>
        <source>%1 cannot be imported. %2</source>
        <translation>%1 ne peut pas être importé. %2</translation>
    </message>
    <message>
        <source>Copy / Drag User Name</source>
        <translation>Copier / glisser le nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Copy / Drag Password</source>
        <translation>Copier / glisser le mot de passe</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Modifier...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Add Account...</source>
        <translation>Ajouter un &amp;compte...</translation>
    </message>
    <message>
        <source>Add &amp;Group...</source>
        <translation>Ajouter un &amp;groupe...</translation>
    </message>
    <message>
        <source>Add Account...</source>
        <translation>Ajouter un compte...</translation>
    </message>
    <message>
        <source>January</source>
        <translation>janvier</translation>
    </message>
    <message>
        <source>February</source>
        <translation>février</translation>
    </message>
    <message>
        <source>March</source>
        <translation>mars</translation>
    </message>
    <message>
        <source>April</source>
        <translation>avril</translation>
    </message>
    <message>
        <source>May</source>
        <translation>mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>juin</translation>
    </message>
    <message>
        <source>July</source>
        <translation>juillet</translation>
    </message>
    <message>
        <source>August</source>
        <translation>août</translation>
    </message>
    <message>
        <source>September</source>
        <translation>septembre</translation>
    </message>
    <message>
        <source>October</source>
        <translation>octobre</translation>
    </message>
    <message>
        <source>November</source>
        <translation>novembre</translation>
    </message>
    <message>
        <source>December</source>
        <translation>décembre</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Vers le haut</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Vers le bas</translation>
    </message>
    <message>
        <source>Account Replace Confirm</source>
        <translation>Confirmer le remplacement du compte</translation>
    </message>
    <message>
        <source>This group already contains a account named </source>
        <translation>Ce groupe contient déjà un compte nommé </translation>
    </message>
    <message>
        <source>Would you like to replace the exiting account?</source>
        <translation>Voulez-vous remplacer le compte existant&#xa0;?</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>Yes to &amp;all</source>
        <translation>Oui pour &amp;tous</translation>
    </message>
    <message>
        <source>&amp;NO</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe&#xa0;:</translation>
    </message>
    <message>
        <source>Confirm password</source>
        <translation>Confirmer le mot de passe</translation>
    </message>
    <message>
        <source>&amp;Confirm:</source>
        <translation>&amp;Confirmer&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;No password (the key file alone opens it)</source>
        <translation>&amp;Pas de mot de passe (le fichier clé seul l&apos;ouvre)</translation>
    </message>
    <message>
        <source>No password</source>
        <translation>Pas de mot de passe</translation>
    </message>
    <message>
        <source>Key file</source>
        <translation>Fichier clé</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Pa&amp;rcourir...</translation>
    </message>
    <message>
        <source>&amp;Key file (optional):</source>
        <translation>&amp;Fichier clé (facultatif)&#xa0;:</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Appliquer</translation>
    </message>
    <message>
        <source>Page title</source>
        <translation>Titre de la page</translation>
    </message>
    <message>
        <source>Keyhaven Help</source>
        <translation>Aide de Keyhaven</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>Always on Top</source>
        <translation>Toujours au premier plan</translation>
    </message>
    <message>
        <source>Open Hyperlink</source>
        <translation>Ouvrir le lien hypertexte</translation>
    </message>
    <message>
        <source>Send E-Mail</source>
        <translation>Envoyer un e-mail</translation>
    </message>
    <message>
        <source>Lock Program</source>
        <translation>Verrouiller le programme</translation>
    </message>
    <message>
        <source>Main Window</source>
        <translation>Fenêtre principale</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Show Menu</source>
        <translation>Afficher le menu</translation>
    </message>
    <message>
        <source>Password Bar</source>
        <translation>Barre des mots de passe</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Ouvrir...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Edit Account...</source>
        <translation>Modifier le compte...</translation>
    </message>
    <message>
        <source>Search Bar</source>
        <translation>Barre de recherche</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Rechercher</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Match whole word</source>
        <translation>Mot entier</translation>
    </message>
    <message>
        <source>Match case </source>
        <translation>Respecter la casse </translation>
    </message>
    <message>
        <source>Tray</source>
        <translation>Zone de notification</translation>
    </message>
    <message>
        <source>Web Site</source>
        <translation>Site web</translation>
    </message>
    <message>
        <source>Copy All Accounts Here</source>
        <translation>Copier tous les comptes ici</translation>
    </message>
    <message>
        <source>Move All Accounts Here</source>
        <translation>Déplacer tous les comptes ici</translation>
    </message>
    <message>
        <source>Copy Here</source>
        <translation>Copier ici</translation>
    </message>
    <message>
        <source>Move Here</source>
        <translation>Déplacer ici</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>Libellé</translation>
    </message>
    <message>
        <source>Show Keyhaven</source>
        <translation>Afficher Keyhaven</translation>
    </message>
    <message>
        <source>Begin</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Password strength</source>
        <translation>Force du mot de passe</translation>
    </message>
    <message>
        <source>Strength: %1 (%2 bits)</source>
        <translation>Force&#xa0;: %1 (%2 bits)</translation>
    </message>
    <message>
        <source>Strength: none</source>
        <translation>Force&#xa0;: aucune</translation>
    </message>
    <message>
        <source>weak</source>
        <translation>faible</translation>
    </message>
    <message>
        <source>Password Health</source>
        <translation>Santé des mots de passe</translation>
    </message>
    <message>
        <source>&amp;Weak below:</source>
        <translation>Faible en &amp;dessous de&#xa0;:</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Constats</translation>
    </message>
    <message>
        <source>Finding</source>
        <translation>Constat</translation>
    </message>
    <message>
        <source>Strength</source>
        <translation>Force</translation>
    </message>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>; </source>
        <translation>&#xa0;; </translation>
    </message>
    <message>
        <source>%1 (%2 bits)</source>
        <translation>%1 (%2 bits)</translation>
    </message>
    <message>
        <source>No account has an empty, weak or reused password.</source>
        <translation>Aucun compte n&apos;a de mot de passe vide, faible ou réutilisé.</translation>
    </message>
    <message>
        <source>Password &amp;Health...</source>
        <translation>&amp;Santé des mots de passe...</translation>
    </message>
    <message>
        <source>List the accounts whose passwords are empty, weak or used more than once
Password Health</source>
        <translation>Lister les comptes dont le mot de passe est vide, faible ou utilisé plusieurs fois
Santé des mots de passe</translation>
    </message>
    <message>
        <source>Filter: %1</source>
        <translation>Filtre&#xa0;: %1</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filtrer</translation>
    </message>
    <message>
        <source>%1 was not written: another user can change a folder on the way to it, or put a link there, and could catch the passwords. Choose a folder of your own.</source>
        <translation>%1 n&apos;a pas été écrit&#xa0;: un autre utilisateur peut modifier un dossier sur le chemin ou y placer un lien, et intercepter ainsi les mots de passe. Choisissez un dossier qui vous appartient.</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Keyhaven developers
Keyhaven is free software: you may pass it on and change it under the terms of the GNU General Public License, version 3 or later. It comes with NO WARRANTY, to the extent permitted by law.</source>
        <translation>Copyright (C) 2026 Les développeurs de Keyhaven
Keyhaven est un logiciel libre&#xa0;: vous pouvez le redistribuer et le modifier selon les termes de la licence publique générale GNU, version 3 ou ultérieure. Il est fourni SANS AUCUNE GARANTIE, dans les limites permises par la loi.</translation>
    </message>
    <message>
        <source>The import of %1 was cancelled; nothing was imported.</source>
        <translation>L&apos;importation de %1 a été annulée&#xa0;; rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>Keyhaven locked while %1 was being read: the import was cancelled and nothing was imported.</source>
        <translation>Keyhaven s&apos;est verrouillé pendant la lecture de %1&#xa0;: l&apos;importation a été annulée et rien n&apos;a été importé.</translation>
    </message>
    <message>
        <source>%1 is larger than 256 MB, the largest CSV file that can be imported; it was not read.</source>
        <translation>%1 dépasse 256 Mo, la taille maximale d&apos;un fichier CSV importable&#xa0;; il n&apos;a pas été lu.</translation>
    </message>
    <message>
        <source>%1 is larger than 1 GB, the largest KeePass database that can be imported; it was not read.</source>
        <translation>%1 dépasse 1 Go, la taille maximale d&apos;une base de données KeePass importable&#xa0;; elle n&apos;a pas été lue.</translation>
    </message>
    <message>
        <source>%1 asks for %2 to turn its password into its key, more than four times what KeePassXC makes a new database take. That may take minutes and slow the whole computer down.

Go on anyway?</source>
        <translation>%1 demande %2 pour dériver sa clé de son mot de passe, plus de quatre fois ce que KeePassXC donne à une nouvelle base de données. Cela peut prendre des minutes et ralentir tout l&apos;ordinateur.

Continuer quand même&#xa0;?</translation>
    </message>
    <message>
        <source>Your KEY is invalid!
A KEY cannot be empty.</source>
        <translation>Votre KEY n&apos;est pas valide&#xa0;!
Un KEY ne peut pas être vide.</translation>
    </message>
    <message>
        <source>New KEY is invalidate!
A KEY cannot be empty.</source>
        <translation>Le nouveau KEY n&apos;est pas valide&#xa0;!
Un KEY ne peut pas être vide.</translation>
    </message>
    <message>
        <source>The KEY is this file&apos;s master password: it is asked whenever the file is opened or unlocked, and it cannot be reset if forgotten.</source>
        <translation>Le KEY est le mot de passe principal de ce fichier&#xa0;: il est demandé à chaque ouverture ou déverrouillage, et il ne peut pas être réinitialisé en cas d&apos;oubli.</translation>
    </message>
    <message>
        <source>This KEY is easy to guess: anyone who gets the file could find it. Several unrelated words make a KEY that is strong and easy to remember.

Use this KEY anyway?</source>
        <translation>Ce KEY est facile à deviner&#xa0;: quiconque obtient le fichier pourrait le trouver. Plusieurs mots sans rapport entre eux font un KEY à la fois solide et facile à retenir.

Utiliser ce KEY malgré tout&#xa0;?</translation>
    </message>
    <message>
        <source>Discard your changes to this account?</source>
        <translation>Abandonner vos modifications de ce compte&#xa0;?</translation>
    </message>
    <message>
        <source>Clipboard cleared</source>
        <translation>Presse-papiers vidé</translation>
    </message>
    <message>
        <source>Copy &amp;Password	Ctrl+C</source>
        <translation>Copier le mot de &amp;passe	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy &amp;User Name	Ctrl+B</source>
        <translation>Copier le nom d&apos;&amp;utilisateur	Ctrl+B</translation>
    </message>
    <message>
        <source>Copy &amp;Name</source>
        <translation>Copier le &amp;nom</translation>
    </message>
    <message>
        <source>Copy the selected account&apos;s password to the clipboard
Copy Password</source>
        <translation>Copier le mot de passe du compte choisi dans le presse-papiers
Copier le mot de passe</translation>
    </message>
    <message>
        <source>Copy the selected account&apos;s user name to the clipboard
Copy User Name</source>
        <translation>Copier le nom d&apos;utilisateur du compte choisi dans le presse-papiers
Copier le nom d&apos;utilisateur</translation>
    </message>
    <message>
        <source>Copy the name of the selected group or account
Copy Name</source>
        <translation>Copier le nom du groupe ou du compte choisi
Copier le nom</translation>
    </message>
    <message numerus="yes">
        <source>%1 MiB of memory and %n passes</source>
        <comment>%1 MiB of memory and %n pass</comment>
        <translation>
            <numerusform>%1 Mio de mémoire et %n passe</numerusform>
            <numerusform>%1 Mio de mémoire et %n passes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>used by %n accounts (set %1)</source>
        <comment>used by %n account (set %1)</comment>
        <translation>
            <numerusform>utilisé par %n compte (ensemble %1)</numerusform>
            <numerusform>utilisé par %n comptes (ensemble %1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n accounts need attention.</source>
        <comment>%1 of %n account needs attention.</comment>
        <translation>
            <numerusform>À vérifier&#xa0;: %1 sur %n compte.</numerusform>
            <numerusform>À vérifier&#xa0;: %1 sur %n comptes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Groups</source>
        <comment>%n Group</comment>
        <translation>
            <numerusform>%n groupe</numerusform>
            <numerusform>%n groupes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Accounts</source>
        <comment>%n Account</comment>
        <translation>
            <numerusform>%n compte</numerusform>
            <numerusform>%n comptes</numerusform>
        </translation>
    </message>
    <message>
        <source>KEY for:  %1</source>
        <translation>KEY pour&#xa0;:  %1</translation>
    </message>
    <message numerus="yes">
        <source>%n seconds</source>
        <comment>%n second</comment>
        <translation>
            <numerusform>%n seconde</numerusform>
            <numerusform>%n secondes</numerusform>
        </translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

%1</source>
        <translation>Impossible d&apos;ouvrir le lien hypertexte&#xa0;:

%1</translation>
    </message>
    <message numerus="yes">
        <source>%n rounds of AES-KDF</source>
        <comment>%n round of AES-KDF</comment>
        <translation>
            <numerusform>%n tour d&apos;AES-KDF</numerusform>
            <numerusform>%n tours d&apos;AES-KDF</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Bytes</source>
        <comment>%n Byte</comment>
        <translation>
            <numerusform>%n octet</numerusform>
            <numerusform>%n octets</numerusform>
        </translation>
    </message>
    <message>
        <source>Do you really intend to delete the account
%1?</source>
        <translation>Voulez-vous vraiment supprimer le compte
%1&#xa0;?</translation>
    </message>
    <message>
        <source>Can&apos;t find account which contains &quot;%1&quot;</source>
        <translation>Aucun compte trouvé contenant «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Recen&amp;t</source>
        <translation>&amp;Récents</translation>
    </message>
    <message>
        <source>A&amp;dd opened file name to recent file list</source>
        <translation>&amp;Ajouter le nom des fichiers ouverts à la liste des fichiers récents</translation>
    </message>
    <message>
        <source>Keyhaven is locked. Click its icon in the tray to come back.</source>
        <translation>Keyhaven est verrouillé. Cliquez sur son icône dans la zone de notification pour y revenir.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n Groups shown</source>
        <comment>%1 of %n Group shown</comment>
        <translation>
            <numerusform>%1 sur %n groupe affiché</numerusform>
            <numerusform>%1 sur %n groupes affichés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n Accounts shown</source>
        <comment>%1 of %n Account shown</comment>
        <translation>
            <numerusform>%1 sur %n compte affiché</numerusform>
            <numerusform>%1 sur %n comptes affichés</numerusform>
        </translation>
    </message>
    <message>
        <source>No password file is open.</source>
        <translation>Aucun fichier de mots de passe n&apos;est ouvert.</translation>
    </message>
    <message>
        <source>New File...</source>
        <translation>Nouveau fichier...</translation>
    </message>
    <message>
        <source>Import into a New File...</source>
        <translation>Importer dans un nouveau fichier...</translation>
    </message>
    <message>
        <source>Recent Files</source>
        <translation>Fichiers récents</translation>
    </message>
    <message>
        <source>Checking the passwords ...</source>
        <translation>Vérification des mots de passe ...</translation>
    </message>
    <message>
        <source>The check was cancelled. Choose a threshold to check again.</source>
        <translation>La vérification a été annulée. Choisissez un seuil pour vérifier à nouveau.</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Exporté vers %1</translation>
    </message>
    <message numerus="yes">
        <source>%n custom fields</source>
        <comment>%n custom field</comment>
        <translation>
            <numerusform>%n champ personnalisé</numerusform>
            <numerusform>%n champs personnalisés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n one-time-password settings</source>
        <comment>%n one-time-password setting</comment>
        <translation>
            <numerusform>%n réglage de mot de passe à usage unique</numerusform>
            <numerusform>%n réglages de mot de passe à usage unique</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n attachments</source>
        <comment>%n attachment</comment>
        <translation>
            <numerusform>%n pièce jointe</numerusform>
            <numerusform>%n pièces jointes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n sets of tags</source>
        <comment>%n set of tags</comment>
        <translation>
            <numerusform>%n jeu d&apos;étiquettes</numerusform>
            <numerusform>%n jeux d&apos;étiquettes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n expiry dates</source>
        <comment>%n expiry date</comment>
        <translation>
            <numerusform>%n date d&apos;expiration</numerusform>
            <numerusform>%n dates d&apos;expiration</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n further web sites</source>
        <comment>%n further web site</comment>
        <translation>
            <numerusform>%n autre site web</numerusform>
            <numerusform>%n autres sites web</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <comment>and %n more</comment>
        <translation>
            <numerusform>et %n autre</numerusform>
            <numerusform>et %n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source> and </source>
        <translation> et </translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>«&#xa0;%1&#xa0;»</translation>
    </message>
    <message numerus="yes">
        <source>the columns %1</source>
        <comment>the column %1</comment>
        <translation>
            <numerusform>la colonne %1</numerusform>
            <numerusform>les colonnes %1</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;%1&quot; in %2</source>
        <translation>«&#xa0;%1&#xa0;» dans %2</translation>
    </message>
    <message numerus="yes">
        <source>%n entries with characters that the code page %1 cannot hold (%2)</source>
        <comment>%n entry with characters that the code page %1 cannot hold (%2)</comment>
        <translation>
            <numerusform>%n entrée avec des caractères que la page de codes %1 ne peut pas contenir (%2)</numerusform>
            <numerusform>%n entrées avec des caractères que la page de codes %1 ne peut pas contenir (%2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n entries whose account the group already held and kept</source>
        <comment>%n entry whose account the group already held and kept</comment>
        <translation>
            <numerusform>%n entrée dont le groupe avait déjà le compte et l&apos;a gardé</numerusform>
            <numerusform>%n entrées dont le groupe avait déjà le compte et l&apos;a gardé</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n groups (%1)</source>
        <comment>%n group (%1)</comment>
        <translation>
            <numerusform>%n groupe (%1)</numerusform>
            <numerusform>%n groupes (%1)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n accounts</source>
        <comment>%n account</comment>
        <translation>
            <numerusform>%n compte</numerusform>
            <numerusform>%n comptes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Imported %n accounts in %1</source>
        <comment>Imported %n account in %1</comment>
        <translation>
            <numerusform>%n compte importé dans %1</numerusform>
            <numerusform>%n comptes importés dans %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n groups</source>
        <comment>%n group</comment>
        <translation>
            <numerusform>%n groupe</numerusform>
            <numerusform>%n groupes</numerusform>
        </translation>
    </message>
    <message>
        <source>%1; left out: %2.</source>
        <translation>%1&#xa0;; omis&#xa0;: %2.</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>rien</translation>
    </message>
    <message numerus="yes">
        <source>Names longer than %n characters were cut: %1.</source>
        <comment>Names longer than %n character were cut: %1.</comment>
        <translation>
            <numerusform>Les noms de plus de %n caractère ont été tronqués&#xa0;: %1.</numerusform>
            <numerusform>Les noms de plus de %n caractères ont été tronqués&#xa0;: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>its name was cut to %n characters</source>
        <comment>its name was cut to %n character</comment>
        <translation>
            <numerusform>son nom a été tronqué à %n caractère</numerusform>
            <numerusform>son nom a été tronqué à %n caractères</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Accounts that lost something:</source>
        <translation>Comptes qui ont perdu quelque chose&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>and %n more accounts</source>
        <comment>and %n more account</comment>
        <translation>
            <numerusform>et %n autre compte</numerusform>
            <numerusform>et %n autres comptes</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is larger than 64 MB, the largest key file that is read; it was not read.</source>
        <translation>%1 dépasse 64 Mo, la taille maximale d&apos;un fichier clé lu&#xa0;; il n&apos;a pas été lu.</translation>
    </message>
    <message>
        <source>Password files and KeePass databases (*.kdbx *.pwd *.khv)</source>
        <translation>Fichiers de mots de passe et bases KeePass (*.kdbx *.pwd *.khv)</translation>
    </message>
    <message>
        <source>KeePass databases, unreadable without the KEY, kept whole and opened by other password managers (*.kdbx);;Protected Keyhaven files, unreadable without the KEY (*.khv);;Keyhaven files, anyone who has one can read it and recover its KEY (*.pwd)</source>
        <translation>Bases KeePass, illisibles sans le KEY, conservées entières et ouvertes par d’autres gestionnaires de mots de passe (*.kdbx);;Fichiers Keyhaven protégés, illisibles sans le KEY (*.khv);;Fichiers Keyhaven, quiconque en possède un peut le lire et retrouver son KEY (*.pwd)</translation>
    </message>
    <message>
        <source>%1 cannot keep everything this KeePass database holds:

%2
Save it as %1 anyway? What it cannot keep is left out of %1; the database stays as it is.</source>
        <translation>%1 ne peut pas garder tout ce que contient cette base KeePass&#x202f;:

%2
L’enregistrer quand même en %1&#x202f;? Ce qu’il ne peut pas garder est laissé hors de %1&#x202f;; la base reste telle quelle.</translation>
    </message>
    <message>
        <source>%1 is a KeePass database of the older format KDBX 3.1. It is saved as KDBX 4, which KeePass 2.35 and later, KeePassXC 2.3 and later and today&apos;s phone apps open, but older programs cannot.

Save it as KDBX 4?</source>
        <translation>%1 est une base KeePass de l’ancien format KDBX 3.1. Elle est enregistrée en KDBX 4, que KeePass 2.35 et suivants, KeePassXC 2.3 et suivants et les applications mobiles actuelles ouvrent, mais pas les programmes plus anciens.

L’enregistrer en KDBX 4&#x202f;?</translation>
    </message>
    <message>
        <source>One-Time Code</source>
        <translation>Code à usage unique</translation>
    </message>
    <message>
        <source>Copy / Drag One-Time Code</source>
        <translation>Copier / glisser le code à usage unique</translation>
    </message>
    <message>
        <source>%1    (%2 s left)</source>
        <translation>%1    (encore %2 s)</translation>
    </message>
    <message>
        <source>Expired on %1</source>
        <translation>Expiré le %1</translation>
    </message>
    <message>
        <source>Further Fields</source>
        <translation>Autres champs</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Valeur</translation>
    </message>
    <message>
        <source>Double-click or press Enter to copy a value</source>
        <translation>Double-cliquer ou appuyer sur Entrée pour copier une valeur</translation>
    </message>
    <message>
        <source>Account texts</source>
        <translation>Textes du compte</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>Champs</translation>
    </message>
    <message>
        <source>One-Time Password</source>
        <translation>Mot de passe à usage unique</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
    <message>
        <source>Attachments</source>
        <translation>Pièces jointes</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Custom fields</source>
        <translation>Champs personnalisés</translation>
    </message>
    <message>
        <source>Protected</source>
        <translation>Protégé</translation>
    </message>
    <message>
        <source>&amp;Add Field</source>
        <translation>&amp;Ajouter un champ</translation>
    </message>
    <message>
        <source>Add field</source>
        <translation>Ajouter un champ</translation>
    </message>
    <message>
        <source>&amp;Remove Field</source>
        <translation>&amp;Supprimer le champ</translation>
    </message>
    <message>
        <source>Remove field</source>
        <translation>Supprimer le champ</translation>
    </message>
    <message>
        <source>A field needs a name.</source>
        <translation>Un champ doit avoir un nom.</translation>
    </message>
    <message>
        <source>Two fields are named &quot;%1&quot;: each field needs a name of its own.</source>
        <translation>Deux champs s&apos;appellent «&#xa0;%1&#xa0;»&#xa0;: chaque champ doit avoir son propre nom.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names what the account itself holds: give the field another name.</source>
        <translation>«&#xa0;%1&#xa0;» désigne ce que le compte contient lui-même&#xa0;: donnez un autre nom au champ.</translation>
    </message>
    <message>
        <source>otpauth &amp;URI:</source>
        <translation>&amp;URI otpauth&#xa0;:</translation>
    </message>
    <message>
        <source>One-time password URI</source>
        <translation>URI du mot de passe à usage unique</translation>
    </message>
    <message>
        <source>Base32 &amp;secret:</source>
        <translation>&amp;Secret Base32&#xa0;:</translation>
    </message>
    <message>
        <source>Base32 secret</source>
        <translation>Secret Base32</translation>
    </message>
    <message>
        <source>Use Secre&amp;t</source>
        <translation>U&amp;tiliser le secret</translation>
    </message>
    <message>
        <source>Use secret</source>
        <translation>Utiliser le secret</translation>
    </message>
    <message>
        <source>A secret alone makes codes of 6 digits every 30 seconds with SHA-1.</source>
        <translation>Un secret seul donne des codes de 6 chiffres toutes les 30 secondes avec SHA-1.</translation>
    </message>
    <message>
        <source>One-time password status</source>
        <translation>État du mot de passe à usage unique</translation>
    </message>
    <message>
        <source>No one-time password.</source>
        <translation>Aucun mot de passe à usage unique.</translation>
    </message>
    <message>
        <source>The one-time password URI cannot be used: %1</source>
        <translation>L&apos;URI du mot de passe à usage unique ne peut pas servir&#xa0;: %1</translation>
    </message>
    <message>
        <source>The secret is not Base32: only the letters A to Z and the digits 2 to 7 may stand in it.</source>
        <translation>Le secret n&apos;est pas en Base32&#xa0;: seules les lettres A à Z et les chiffres 2 à 7 peuvent y figurer.</translation>
    </message>
    <message>
        <source>&amp;Tags:</source>
        <translation>É&amp;tiquettes&#xa0;:</translation>
    </message>
    <message>
        <source>Tags</source>
        <translation>Étiquettes</translation>
    </message>
    <message>
        <source>Separate tags with &quot;;&quot; or &quot;,&quot;.</source>
        <translation>Séparez les étiquettes par «&#xa0;;&#xa0;» ou «&#xa0;,&#xa0;».</translation>
    </message>
    <message>
        <source>&amp;Expires</source>
        <translation>&amp;Expire</translation>
    </message>
    <message>
        <source>Expires</source>
        <translation>Expire</translation>
    </message>
    <message>
        <source>Expiry time</source>
        <translation>Date d&apos;expiration</translation>
    </message>
    <message>
        <source>Attached files</source>
        <translation>Fichiers joints</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <comment>%n byte</comment>
        <translation>
            <numerusform>%n octet</numerusform>
            <numerusform>%n octets</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Ajouter...</translation>
    </message>
    <message>
        <source>Add attachment</source>
        <translation>Ajouter une pièce jointe</translation>
    </message>
    <message>
        <source>&amp;Save As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Save attachment as</source>
        <translation>Enregistrer la pièce jointe sous</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>Remove attachment</source>
        <translation>Supprimer la pièce jointe</translation>
    </message>
    <message>
        <source>Attach a File</source>
        <translation>Joindre un fichier</translation>
    </message>
    <message>
        <source>Save Attachment As</source>
        <translation>Enregistrer la pièce jointe sous</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB, the most a file attached to an account may be.</source>
        <translation>%1 dépasse %2 Mo, la taille maximale d&apos;un fichier joint à un compte.</translation>
    </message>
    <message>
        <source>The account has an attachment named &quot;%1&quot; already.

Replace it?</source>
        <translation>Le compte a déjà une pièce jointe nommée «&#xa0;%1&#xa0;».

La remplacer&#xa0;?</translation>
    </message>
    <message>
        <source>Earlier versions</source>
        <translation>Versions antérieures</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modifié</translation>
    </message>
    <message>
        <source>The account has no earlier versions.</source>
        <translation>Le compte n&apos;a pas de versions antérieures.</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>Restore version</source>
        <translation>Restaurer la version</translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation>(sans nom)</translation>
    </message>
    <message>
        <source>in the password</source>
        <translation>dans le mot de passe</translation>
    </message>
    <message>
        <source>group %1</source>
        <translation>groupe %1</translation>
    </message>
    <message>
        <source>group %1 (%2)</source>
        <translation>groupe %1 (%2)</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 dans %2</translation>
    </message>
    <message numerus="yes">
        <source>Characters %1 cannot hold: %n entries are left out, for such characters in their texts or their group&apos;s name</source>
        <comment>Characters %1 cannot hold: %n entry is left out, for such characters in their texts or their group&apos;s name</comment>
        <translation>
            <numerusform>Caractères que %1 ne peut pas contenir&#xa0;: %n entrée est laissée de côté, pour de tels caractères dans ses textes ou le nom de son groupe</numerusform>
            <numerusform>Caractères que %1 ne peut pas contenir&#xa0;: %n entrées sont laissées de côté, pour de tels caractères dans leurs textes ou le nom de leur groupe</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> (%n group names hold them)</source>
        <comment> (%n group name holds them)</comment>
        <translation>
            <numerusform> (%n nom de groupe en contient)</numerusform>
            <numerusform> (%n noms de groupe en contiennent)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Nested groups: %n groups lie deeper than one level and become one flat name joined by &quot;/&quot;</source>
        <comment>Nested groups: %n group lies deeper than one level and becomes one flat name joined by &quot;/&quot;</comment>
        <translation>
            <numerusform>Groupes imbriqués&#xa0;: %n groupe est à plus d&apos;un niveau de profondeur et devient un seul nom joint par «&#xa0;/&#xa0;»</numerusform>
            <numerusform>Groupes imbriqués&#xa0;: %n groupes sont à plus d&apos;un niveau de profondeur et deviennent un seul nom joint par «&#xa0;/&#xa0;»</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Custom fields: %n entries have custom fields, which are left out</source>
        <comment>Custom fields: %n entry has custom fields, which are left out</comment>
        <translation>
            <numerusform>Champs personnalisés&#xa0;: %n entrée a des champs personnalisés, qui sont laissés de côté</numerusform>
            <numerusform>Champs personnalisés&#xa0;: %n entrées ont des champs personnalisés, qui sont laissés de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Long names: %n group paths and titles are longer than %1 characters and cut to fit</source>
        <comment>Long names: %n group path or title is longer than %1 characters and cut to fit</comment>
        <translation>
            <numerusform>Noms longs&#xa0;: %n chemin de groupe ou titre dépasse %1 caractères et est raccourci</numerusform>
            <numerusform>Noms longs&#xa0;: %n chemins de groupe et titres dépassent %1 caractères et sont raccourcis</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Attachments: %n attachments of %1 in all are left out</source>
        <comment>Attachments: %n attachment of %1 in all is left out</comment>
        <translation>
            <numerusform>Pièces jointes&#xa0;: %n pièce jointe de %1 au total est laissée de côté</numerusform>
            <numerusform>Pièces jointes&#xa0;: %n pièces jointes de %1 au total sont laissées de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>History: %n earlier versions of entries are left out</source>
        <comment>History: %n earlier version of an entry is left out</comment>
        <translation>
            <numerusform>Historique&#xa0;: %n version antérieure d&apos;une entrée est laissée de côté</numerusform>
            <numerusform>Historique&#xa0;: %n versions antérieures d&apos;entrées sont laissées de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>One-time passwords: %n entries have one-time password settings, which are left out</source>
        <comment>One-time passwords: %n entry has one-time password settings, which are left out</comment>
        <translation>
            <numerusform>Mots de passe à usage unique&#xa0;: %n entrée a des réglages de mot de passe à usage unique, qui sont laissés de côté</numerusform>
            <numerusform>Mots de passe à usage unique&#xa0;: %n entrées ont des réglages de mot de passe à usage unique, qui sont laissés de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Tags: %n entries have tags, which are left out</source>
        <comment>Tags: %n entry has tags, which are left out</comment>
        <translation>
            <numerusform>Étiquettes&#xa0;: %n entrée a des étiquettes, qui sont laissées de côté</numerusform>
            <numerusform>Étiquettes&#xa0;: %n entrées ont des étiquettes, qui sont laissées de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Expiry: %n entries have an expiry date, which is left out</source>
        <comment>Expiry: %n entry has an expiry date, which is left out</comment>
        <translation>
            <numerusform>Expiration&#xa0;: %n entrée a une date d&apos;expiration, qui est laissée de côté</numerusform>
            <numerusform>Expiration&#xa0;: %n entrées ont une date d&apos;expiration, qui est laissée de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Recycle bin: %n entries in the recycle bin are left out</source>
        <comment>Recycle bin: %n entry in the recycle bin is left out</comment>
        <translation>
            <numerusform>Corbeille&#xa0;: %n entrée de la corbeille est laissée de côté</numerusform>
            <numerusform>Corbeille&#xa0;: %n entrées de la corbeille sont laissées de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Custom icons: %n entries and groups show a custom icon, which is left out</source>
        <comment>Custom icons: %n entry or group shows a custom icon, which is left out</comment>
        <translation>
            <numerusform>Icônes personnalisées&#xa0;: %n entrée ou groupe affiche une icône personnalisée, qui est laissée de côté</numerusform>
            <numerusform>Icônes personnalisées&#xa0;: %n entrées et groupes affichent une icône personnalisée, qui est laissée de côté</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Group notes: %n groups have notes, which are left out</source>
        <comment>Group notes: %n group has notes, which are left out</comment>
        <translation>
            <numerusform>Notes de groupe&#xa0;: %n groupe a des notes, qui sont laissées de côté</numerusform>
            <numerusform>Notes de groupe&#xa0;: %n groupes ont des notes, qui sont laissées de côté</numerusform>
        </translation>
    </message>
    <message>
        <source>The database nests its groups too deeply to be shown: the paths of its groups would take more than 64 MB.</source>
        <translation>La base imbrique ses groupes trop profondément pour être affichée&#xa0;: les chemins de ses groupes prendraient plus de 64 Mo.</translation>
    </message>
    <message>
        <source>Change Key: Current Database Key</source>
        <translation>Changer le KEY&#xa0;: clé actuelle de la base de données</translation>
    </message>
    <message>
        <source>Unlock KeePass Database</source>
        <translation>Déverrouiller la base de données KeePass</translation>
    </message>
    <message>
        <source>Change Key: New Database Key</source>
        <translation>Changer le KEY&#xa0;: nouvelle clé de la base de données</translation>
    </message>
</context>
<context>
    <name>Link</name>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
</context>
<context>
    <name>Strength</name>
    <message>
        <source>poor</source>
        <translation>très faible</translation>
    </message>
    <message>
        <source>weak</source>
        <translation>faible</translation>
    </message>
    <message>
        <source>reasonable</source>
        <translation>moyenne</translation>
    </message>
    <message>
        <source>good</source>
        <translation>bonne</translation>
    </message>
    <message>
        <source>excellent</source>
        <translation>excellente</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucune</translation>
    </message>
</context>
</TS>
