#pragma once

#include <string>

class CCofferDoc;
class CPrintDevice;
class CPrompts;

inline constexpr const char* EXPORT_TITLE = "Select a file to export";
inline constexpr const char* EXPORT_FILTER = "Text files (*.txt)";
inline constexpr const char* EXPORT_EXTENSION = ".txt";

// The three commands that show the open file without changing it: the text
// export, the printout and the File Property dialog. Export and print write
// every password in plain text, in list order.
class CFileCommands {
public:
    CFileCommands(CCofferDoc& doc, CPrompts& prompts);

    // Both need an open file with a KEY.
    bool IsExportEnabled() const;
    bool IsPrintEnabled() const;

    // The save prompt, then the export written in one step: a file that
    // cannot be written is reported and left as it was (or not made at all).
    void OnFileExport();
    // The print dialog sets up device; then every record is printed.
    void OnFilePrint(CPrintDevice& device);
    // The File Property dialog over the file on disk; OK writes a changed
    // read-only attribute. A file that is gone is reported instead.
    void OnFileProperty();

private:
    void ShowMessage(const char* pszText, const std::string& strPath) const;

    CCofferDoc& m_doc;
    CPrompts& m_prompts;
};
