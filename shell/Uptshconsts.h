#pragma once

#include <QString>

#include <cstdint>

// The shell library's string table. Every user-visible text of the library is
// named here; code holds only these references and loads the text when it shows
// it, so a replacement table installed at any time changes every text.
//
// The table sits in the shell layer, not with the dialogs, because the shell
// namespace and the controls show some of these texts too and may not include
// a layer above them.

// A reference to one text of the table: its 16-bit id, no text. Each load looks
// the text up again.
struct TResStringRec {
    std::uint16_t Id;
};

// The text for rec: the installed replacement table's text for its id when it
// has one, else the built-in text; empty for an id the table does not hold.
QString LoadResString(TResStringRec rec);

// The single step every text of the library passes through before use; it
// returns the text unchanged.
QString PTLoadStr(const QString& text);

// LoadResString(rec) passed through PTLoadStr.
QString PTLoadStr(TResStringRec rec);

// Dialog captions, labels, buttons and toolbar hints
inline constexpr TResStringRec SOpenCaption{65524};
inline constexpr TResStringRec SSaveAsCaption{65523};
inline constexpr TResStringRec SLookIn{65511};
inline constexpr TResStringRec SSaveIn{65521};
inline constexpr TResStringRec SFileName{65512};
inline constexpr TResStringRec SFilesOfType{65513};
inline constexpr TResStringRec SSaveAsType{65525};
inline constexpr TResStringRec SOpenButton{65514};
inline constexpr TResStringRec SSaveButton{65522};
inline constexpr TResStringRec SCancelButton{65515};
inline constexpr TResStringRec SHelpButton{65516};
inline constexpr TResStringRec SOKButton{65518};
inline constexpr TResStringRec SClose{65510};
inline constexpr TResStringRec SOpenAsReadOnly{65517};
inline constexpr TResStringRec SUpOneLevelHint{65508};
inline constexpr TResStringRec SCreateNewFolderHint{65509};
inline constexpr TResStringRec SShowTreeHint{65434};
inline constexpr TResStringRec SBrowseForFolder{65433};
inline constexpr TResStringRec SDialogFontName{65410};

// Dialog messages
inline constexpr TResStringRec SFileExistsReplace{65520};
inline constexpr TResStringRec SDriveDoesNotExist{65526};
inline constexpr TResStringRec SCannotReadDrive{65527};
inline constexpr TResStringRec SRemovableDiskHasChanged{65528};
inline constexpr TResStringRec SFileNotFound{65529};
inline constexpr TResStringRec SPathDoesNotExist{65530};
inline constexpr TResStringRec SFilenameIsInvalid{65531};
inline constexpr TResStringRec SFileAlreadyInUse{65532};
inline constexpr TResStringRec SFileCannotBeAccessed{65533};
inline constexpr TResStringRec SExistsAndIsReadOnly{65534};
inline constexpr TResStringRec SFilenameIsReservedDeviceName{65535};
inline constexpr TResStringRec SDiskIsWriteProtected{65504};
inline constexpr TResStringRec SInsufficientDiskSpace{65505};
inline constexpr TResStringRec SDoesNotExistCreate{65506};
inline constexpr TResStringRec SThereCanBeOnlyOne{65507};
inline constexpr TResStringRec SYouMustTypeFilename{65482};
inline constexpr TResStringRec SFolderDoesNotExist{65483};

// View menu, view hints and view descriptions
inline constexpr TResStringRec SViewMenu{65497};
inline constexpr TResStringRec SViewLargeIconsMenu{65519};
inline constexpr TResStringRec SViewSmallIconsMenu{65488};
inline constexpr TResStringRec SViewListMenu{65489};
inline constexpr TResStringRec SViewDetailsMenu{65490};
inline constexpr TResStringRec SArrangeIconsMenu{65498};
inline constexpr TResStringRec SLineUpIconsMenu{65499};
inline constexpr TResStringRec SViewContext{65424};
inline constexpr TResStringRec SViewLargeIconsContext{65425};
inline constexpr TResStringRec SViewSmallIconsContext{65426};
inline constexpr TResStringRec SViewListContext{65427};
inline constexpr TResStringRec SViewDetailsContext{65428};
inline constexpr TResStringRec SViewLargeIconsHint{65429};
inline constexpr TResStringRec SViewSmallIconsHint{65430};
inline constexpr TResStringRec SViewListHint{65431};
inline constexpr TResStringRec SViewDetailsHint{65432};

// Item command menu captions
inline constexpr TResStringRec SEditCutMenu{65491};
inline constexpr TResStringRec SEditCopyMenu{65492};
inline constexpr TResStringRec SEditPasteMenu{65493};
inline constexpr TResStringRec SDeleteMenu{65494};
inline constexpr TResStringRec SRenameMenu{65495};
inline constexpr TResStringRec SPropertiesMenu{65496};
inline constexpr TResStringRec SPasteShortcutMenu{65500};
inline constexpr TResStringRec SSelectAllMenu{65501};
inline constexpr TResStringRec SInvertSelectionMenu{65502};
inline constexpr TResStringRec SNewMenu{65503};
inline constexpr TResStringRec SNewFolderMenu{65472};
inline constexpr TResStringRec SNewShortcutMenu{65473};

// Command hints and descriptions
inline constexpr TResStringRec SDeleteHint{65443};
inline constexpr TResStringRec SPropertiesHint{65444};
inline constexpr TResStringRec SCutHint{65445};
inline constexpr TResStringRec SCopyHint{65446};
inline constexpr TResStringRec SPasteHint{65447};
inline constexpr TResStringRec SUndoHint{65448};
inline constexpr TResStringRec SDeleteContext{65449};
inline constexpr TResStringRec SPropertiesContext{65450};
inline constexpr TResStringRec SCutContext{65451};
inline constexpr TResStringRec SCopyContext{65452};
inline constexpr TResStringRec SPasteContext{65453};
inline constexpr TResStringRec SSendToContext{65454};
inline constexpr TResStringRec SNewContext{65455};
inline constexpr TResStringRec SNewPopupContext{65487};
inline constexpr TResStringRec SNewFolderContext{65456};
inline constexpr TResStringRec SNewShortcutContext{65457};
inline constexpr TResStringRec SCreateFolderContext{65475};

// New folders and shortcuts
inline constexpr TResStringRec SCreateFolder{65474};
inline constexpr TResStringRec SNewFolder{65484};
inline constexpr TResStringRec SNewShortcut{65485};
inline constexpr TResStringRec SNewDocFilePrefix{65486};
inline constexpr TResStringRec SCannotCreateFolder{65458};
inline constexpr TResStringRec SUnableToCreateFolder{65459};
inline constexpr TResStringRec SUnableToCreateFile{65460};

// Column headers and item texts
inline constexpr TResStringRec SColumnName{65461};
inline constexpr TResStringRec SColumnInFolder{65462};
inline constexpr TResStringRec SColumnSize{65463};
inline constexpr TResStringRec SColumnType{65464};
inline constexpr TResStringRec SColumnModified{65465};
inline constexpr TResStringRec SColumnStatus{65466};
inline constexpr TResStringRec SColumnSynchCopyIn{65467};
inline constexpr TResStringRec SColumnComment{65468};
inline constexpr TResStringRec SColumnLocation{65469};
inline constexpr TResStringRec SColumnOriginalLocation{65470};
inline constexpr TResStringRec SColumnDateDeleted{65471};
inline constexpr TResStringRec SColumnAttributes{65440};
inline constexpr TResStringRec SAttributesChars{65441};
inline constexpr TResStringRec SSystemFolder{65442};

// File sizes
inline constexpr TResStringRec SBytes{65476};
inline constexpr TResStringRec SFilesizeKB{65477};
inline constexpr TResStringRec SFilesizeMB{65478};
inline constexpr TResStringRec SFilesizeGB{65479};
inline constexpr TResStringRec SFilesizeTB{65480};
inline constexpr TResStringRec SFilesizeX_YBytes{65481};

// Shortcut-key texts
inline constexpr TResStringRec SShKey_SelectAll{65435};
inline constexpr TResStringRec SShKey_Delete{65436};
inline constexpr TResStringRec SShKey_Copy{65437};
inline constexpr TResStringRec SShKey_Cut{65438};
inline constexpr TResStringRec SShKey_Paste{65439};
inline constexpr TResStringRec SShKey_Refresh{65408};
inline constexpr TResStringRec SShKey_Edit{65409};
