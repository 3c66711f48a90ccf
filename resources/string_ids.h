/* Numbers of the program's string table entries, shared by the resource script and the code. */
#ifndef VELMORA_RESOURCES_STRING_IDS_H
#define VELMORA_RESOURCES_STRING_IDS_H

/* Lists, streams and components */
#define SListIndexError          1000
#define SListCapacityError       1001
#define SListCountError          1002
#define SSortedListError         1003
#define SDuplicateString         1004
#define SAbstractError           1005
#define SFCreateError            1006
#define SFOpenError              1007
#define SReadError               1008
#define SWriteError              1009
#define SMemoryStreamError       1010
#define SCantWriteResourceStream 1011
#define SResNotFound             1012
#define SSeekNotImplemented      1013
#define SRangeError              1014
#define SAssignError             1015
#define SInvalidName             1016
#define SDuplicateName           1017
#define SInvalidPropertyValue    1018
#define SOSError                 1019
#define SUnkOSError              1020

/* Form resources and the class registry */
#define SInvalidImage        1100
#define SUnknownProperty     1101
#define SInvalidPropertyPath 1102
#define SReadOnlyProperty    1103
#define SClassNotFound       1104
#define SAncestorNotFound    1105
#define SPropertyException   1106
#define SDuplicateClass      1107
#define SUnknownGroup        1108

/* Windows, the application and its loop */
#define SWindowClass       2000
#define SParentRequired    2001
#define SCannotFocus       2002
#define SControlParentSelf 2003
#define SUnknownException  2004
#define SOutOfMemory       2005

/* Forms (from 2100) */
#define SCannotShowModal    2100
#define SVisibleChanged     2101
#define SMDIChildNotVisible 2102
#define SNoMDIForm          2103

/* The memo (from 2200) */
#define SMemoTextTooLarge 2200

/* The status bar, image lists and the tool strip (from 2300) */
#define SInvalidImageSize  2300
#define SImageIndexError   2301
#define SInvalidBitmapData 2302

/* Message dialogs and their buttons (from 2400) */
#define SMsgDlgWarning       2400
#define SMsgDlgError         2401
#define SMsgDlgInformation   2402
#define SMsgDlgConfirm       2403
#define SMsgDlgYes           2404
#define SMsgDlgNo            2405
#define SMsgDlgOK            2406
#define SMsgDlgCancel        2407
#define SMsgDlgAbort         2408
#define SMsgDlgRetry         2409
#define SMsgDlgIgnore        2410
#define SMsgDlgAll           2411
#define SMsgDlgNoToAll       2412
#define SMsgDlgYesToAll      2413
#define SMsgDlgHelp          2414
#define SCannotOpenClipboard 2415

/* Panels, labels, images and buttons (from 2600) */
#define SUnknownPictureFormat 2600
#define SInvalidIcon          2601

/* Menus (from 3000) */
#define SMenuIndexError     3000
#define SMenuReinserted     3001
#define SGroupIndexTooLow   3002
#define SMenuOutOfResources 3003
#define SMenuInUse          3004
#define SMenuCommandsUsedUp 3005
#define SmkcBkSp            3010
#define SmkcTab             3011
#define SmkcEsc             3012
#define SmkcEnter           3013
#define SmkcSpace           3014
#define SmkcPgUp            3015
#define SmkcPgDn            3016
#define SmkcEnd             3017
#define SmkcHome            3018
#define SmkcLeft            3019
#define SmkcUp              3020
#define SmkcRight           3021
#define SmkcDown            3022
#define SmkcIns             3023
#define SmkcDel             3024
#define SmkcShift           3025
#define SmkcCtrl            3026
#define SmkcAlt             3027

/* Actions (from 3100) */

/* Find and replace dialogs (from 4100) */

/* The printer (from 4200) */
#define SPrinting         4200
#define SNotPrinting      4201
#define SInvalidPrinter   4202
#define SNoDefaultPrinter 4203
#define SInvalidPrinterOp 4204
#define SDeviceOnPort     4205

/* File, font, colour and print dialogs (from 4300) */
#define SFileDialogFailed     4310
#define SFileNameTooLong      4311
#define SFileNameInvalid      4312
#define SFileDialogNotStarted 4313

/* Fonts and canvases (from 6000) */
#define SNoCanvasHandle 6000

/* The editor (from 10000) */

/* The editor: search and replace (10400-10499) */
#define SSearchEnded       10400
#define SFindNotSetUp      10401
#define SReplaceNotStarted 10402
#define SReplaceNotSetUp   10403
#define SFindFirstInDialog 10404
#define SReplacedOne       10405
#define SReplaceAllConfirm 10406
#define SReplaceAllDone    10407
#define SKeepReplacement   10408

/* The editor's document files (10700-10799) */
#define SAskSaveBeforeNew    10700
#define SAskSaveBeforeOpen   10701
#define SAskSaveBeforeDrop   10702
#define SAskSaveBeforeClose  10703
#define SSavedNowOpen        10704
#define SSaveStoppedNowOpen  10705
#define SOpenWithoutSaving   10706
#define SNoTextToSave        10707
#define SNoFileName          10708
#define SOverwriteSaved      10709
#define SSaveAsCancelled     10710
#define SDocumentHasZeroByte 10711
#define SDocumentWriteError  10712

#endif
