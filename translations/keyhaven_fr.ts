<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Keyhaven</name>
    <message>
        <source>Keyhaven</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyhaven files (*.pwd)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protected Keyhaven files (*.khv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyhaven files (*.pwd *.khv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protected Keyhaven files, unreadable without the KEY (*.khv);;Keyhaven files, anyone who has one can read it and recover its KEY (*.pwd)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open KeePass Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New KeePass Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a key file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key files (*.keyx *.key);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
File not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An unexpected error occurred while reading %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An unexpected error occurred while writing %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has been changed by another program while Keyhaven was locked.

Yes: open it as it is now.
No: open another file.
Cancel: stay locked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has been removed or renamed by another program while Keyhaven was locked.

Yes: go on without a file.
No: open another file.
Cancel: stay locked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has been changed by another program while Keyhaven was locked.

Yes: replace it with what Keyhaven shows now (the other change is lost).
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has been removed or renamed by another program while Keyhaven was locked.

Yes: save what Keyhaven shows under its old name.
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 asks for %2 to turn its KEY into its key, more than four times what Keyhaven uses. That may take minutes and slow the whole computer down.

Go on anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 MiB of memory and %2 passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking the KEY of %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a protected file: it cannot be written without its KEY.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new KEY must differ from the old one: the KEY of a .pwd file can be recovered from any copy of that file (and of its backups), so the old KEY would open the new file too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A .pwd file does not protect its passwords: anyone who has %1 can read every password in it and recover its KEY.

Save it as .pwd anyway? You will choose a new KEY for it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is saved and sealed.

The old file still gives away every password and its KEY to anyone who has a copy:
%2

Remove the old file and its backup copies now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is larger than 1 GB; it cannot be a password file and was not read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to read %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to open %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is not enough memory to seal %1 under its KEY; it was not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is being changed by another program; try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has been changed by another program since Keyhaven read or last saved it.

Yes: replace it with what Keyhaven shows now (the other change is lost).
No: save what Keyhaven shows as another file.
Cancel: save nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account can not be empty!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account name should not be same!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group name should not be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group name should not be same.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>At least one(1) group should be contained.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file has no group to hold the account.
Please add a group first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file&apos;s texts can not contain the character &quot;%1&quot; (U+%2).
Please use another one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hyperlink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING:	If you delete a group, all accounts under the group will be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste User Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generate Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password Generator Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste Hyperlink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Hyperlink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste E-Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a program or file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyhaven	Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Keyhaven</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no last file to open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last file was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no specified file to open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified file was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protect this file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Anyone who has a copy of this .pwd file can read every password in it and recover its KEY. Save it as a protected .khv file with a new KEY?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as .khv...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password copied; clipboard cleared in %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Recent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;roperties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Account...	Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Group...	Ctrl+G</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit...	Ctrl+E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete...	Ctrl+D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;earch Bar	Ctrl+F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password Bar	F2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always on T&amp;op	F3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change &amp;KEY...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mask Passwords</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear on Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Contents	F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Website</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Support</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main &amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password &amp;Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new file
New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing file
Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the active file
Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active file
Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active file with a new name
Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print password information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bring in the accounts of another password manager&apos;s file
Import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show file properties
Proerties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add an account
Add Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add a group
Add Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit account or group
Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete account or group
Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the search bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch to password bar
Password Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set window always on the top
Always on Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set window always on the top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change your KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mask your passwords with *</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minize and lock the program
Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change options
Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add file name here when you open a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear recent file list on exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use help
Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit website for product information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send an e-mail to the Keyhaven support team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display the product information
About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New KEYs do not mach!
Please enter again!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New KEY is invalidate!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original KEY is invalidate!
You can not change Key!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your KEY is invalid!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The KEY holds a character that the file&apos;s code page cannot hold.
Please use another one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file hasn&apos;t KEY and it is READ-ONLY, so you can&apos;t open it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file hasn&apos;t its KEY, you must create it now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File is READ-ONLY, you can&apos;t change its KEY.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEY is changed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEY is not changed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KEY for:  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create KEY for new file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Original KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New KEY</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File format is not supported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This file is READ-ONLY, you can&apos;t save itself.
Do you want to save it as another file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup file failed, be sure your backup path is correct.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your document has been modified,do you want to save it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NewPassword</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Propety</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contains:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loaction:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Size:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Created:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessed:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Protection:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None: anyone who has a .pwd file can read it and recover its KEY. Save it as .khv to seal it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sealed: it can not be read without its KEY.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open padlock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closed padlock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attributes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hidden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Security</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hot Key</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password Generator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Others</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set Password Bar as default interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run automatically &amp;when I log in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do&amp;n&apos;t open file at starting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;last file at starting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always start with &amp;this file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto &amp;save file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Backup file before saving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add opened file name to recent file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Clear recent file list when exiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recent file list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a directory backup your files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Mask passwords when shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auto exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Customize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock when the screen &amp;locks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear the clipboard after</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%u seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate the text box and press desired key combination</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Note: If you choose to hide system tray icon,  you must use a HOT KEY.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hide system tray icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Before you choose to hide the system tray icon, you must set a hot key to recall the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop offers no global hot key (neither an X server nor the desktop portal&apos;s global shortcuts), so a key set here would never work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This desktop offers no global hot key, so the system tray icon is the only way back to the program and cannot be hidden.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always on Top is not available on Wayland: the compositor alone decides which window stays above the others.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Uppercase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lowcase</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Special</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;pace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speci&amp;fy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Letters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Length</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generated password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Password length at least is 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minimize button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show confirm dialog before deleting account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm deleting group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder:

%s

does not exist. Do you want the folder to be created?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder:

%s

is invalid. Please reenter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder:

%s

can not be created. Please double check.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to open hyperlink:

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operating system is out
of memory or resources.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified path was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The operating system denied
access to the specified file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was not enough memory to complete the operation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The .EXE file is invalid
(non-Win32 .EXE or error in .EXE image).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sharing violation occurred. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The filename association is
incomplete or invalid.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because the request timed out.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The DDE transaction could not
be completed because other DDE transactions
were being processed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no application associated
with the given filename extension.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The specified dynamic-link library was not found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown Error (%d) occurred.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give a password, a key file or both: a database cannot be opened with neither.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The two passwords differ. Type them again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a file to export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text files (*.txt);;KeePass database (*.kdbx);;CSV (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new password must differ from the KEY of %1: the KEY of a .pwd file can be recovered from any copy of that file, so it would open the database too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 will hold every password of this file as plain text: anyone who can read it reads them all, and no KEY protects it.

Export anyway?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a file to import</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KeePass database (*.kdbx);;CSV (*.csv);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Opening %1 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be imported. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy / Drag User Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy / Drag Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you really intend to delete the account
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t find account which contains </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Account...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;Group...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Account...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>January</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>February</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>March</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>April</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>May</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>June</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>July</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>August</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>September</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>October</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>November</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>December</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%d Groups	%d Accounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 Bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account Replace Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This group already contains a account named </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to replace the exiting account?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes to &amp;all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;NO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Confirm:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;No password (the key file alone opens it)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Key file (optional):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyhaven Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Always on Top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Hyperlink</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send E-Mail</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Account...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match whole word</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Match case </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web Site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy All Accounts Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move All Accounts Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Keyhaven</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Begin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
