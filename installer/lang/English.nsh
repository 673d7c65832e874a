; Tellurane's setup texts in English (United States), as they are written: the tests compare them.
; Every other file here has the same strings. $R6 in TELLURANE_RETRY_BOX and TELLURANE_NOTHING_CHANGED_LOG
; is the sentence that says why Tellurane is still running (TELLURANE_RUNNING_AS_ADMINISTRATOR or
; TELLURANE_DID_NOT_CLOSE), put where the language joins sentences. ${VERSION}, ${RUN_VALUE} and
; ${RUN_KEY} are filled in when the setup is built, $INSTDIR when the text is shown.
LangString TELLURANE_WELCOME ${LANG_ENGLISH} "Setup will install Tellurane ${VERSION}, a desktop clock, for your user account. It needs no administrator.$\r$\n$\r$\nA running Tellurane is closed first. Your settings and your own skins are kept.$\r$\n$\r$\nClick Next to continue."
LangString TELLURANE_START ${LANG_ENGLISH} "Start Tellurane"
LangString TELLURANE_DESKTOP_SHORTCUT ${LANG_ENGLISH} "Desktop shortcut"
LangString TELLURANE_RUNNING_AS_ADMINISTRATOR ${LANG_ENGLISH} "Tellurane is running as administrator, so it cannot be closed from here."
LangString TELLURANE_DID_NOT_CLOSE ${LANG_ENGLISH} "Tellurane is still running and did not close."
LangString TELLURANE_RETRY_BOX ${LANG_ENGLISH} "$R6$\r$\n$\r$\nClose it, then press Retry."
LangString TELLURANE_NOTHING_CHANGED_LOG ${LANG_ENGLISH} "$R6 Nothing was changed."
LangString TELLURANE_UNINSTALL_TITLE ${LANG_ENGLISH} "Uninstall Tellurane"
LangString TELLURANE_UNINSTALL_SUBTITLE ${LANG_ENGLISH} "Remove Tellurane from this computer."
LangString TELLURANE_UNINSTALL_INFO ${LANG_ENGLISH} "Tellurane will be removed from $INSTDIR.$\r$\n$\r$\nYour settings (the clock's place and size, text size, colour and switches) are kept for a later installation unless you tick the box below."
LangString TELLURANE_REMOVE_SETTINGS ${LANG_ENGLISH} "Also remove my settings"
LangString TELLURANE_MACHINE_ENTRY_STAYS ${LANG_ENGLISH} "Tellurane's start-up entry for all users of this computer could not be removed without administrator rights. It names a program that is no longer there and starts nothing; an administrator can delete the value ${RUN_VALUE} under HKEY_LOCAL_MACHINE\${RUN_KEY}."
