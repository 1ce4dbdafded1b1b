#pragma once
// KDImager3's messages: English only, OK and no icon unless a caller says otherwise.

#include <QString>

namespace kdi::text {

inline constexpr const char* kTitle = "KDImager3";

inline const QString kFileEmpty = QStringLiteral("The file is empty!");
inline const QString kFileTooLarge = QStringLiteral("The file is too large!");
inline const QString kReadSpiFailed = QStringLiteral("Read SPI file failed");
inline const QString kReadCddFailed = QStringLiteral("Read CDD file failed");
inline const QString kWriteCddFailed = QStringLiteral("Write CDD file failed");
inline const QString kFileError = QStringLiteral("File Error");
inline QString FormatError(const QString& path) {
    return QStringLiteral("File format error!\r\n") + path + QStringLiteral("\r\nNot a valid file.");
}

inline const QString kNoData = QStringLiteral("No Data");
inline const QString kNotAligned =
    QStringLiteral("The starting address of the data block is not aligned by page, please check");
inline const QString kConflict = QStringLiteral("Data block address conflict, please check!");
inline const QString kOutOfRange = QStringLiteral(
    "The flash address of the data block is out of range (0 to 7FFFFFFF), please check");
inline const QString kMakeBinError = QStringLiteral("Make_Bin_File_error");
inline const QString kBinWritten = QStringLiteral("write .bin success");
inline const QString kBinFailed = QStringLiteral("write .bin failed");

inline const QString kModelIncomplete = QStringLiteral("Please complete the model information");
inline const QString kCannotOpenPort = QStringLiteral("Unable to open serial port");
inline const QString kConfirmWrite = QStringLiteral("Write data to the walkie talkie. Continue?");
inline const QString kConfirmRead =
    QStringLiteral("Read data from the intercom. Do you want to continue?");
inline const QString kCheckConnection = QStringLiteral(
    "Check the connection. Check whether the current serial port settings are correct, retry or "
    "cancel?");
inline QString ModelError(const QString& radioModel) {
    return QStringLiteral("Model Error.\r\nRadio:") + radioModel;
}
inline const QString kReadComplete = QStringLiteral("Read complete!");
inline const QString kWriteComplete = QStringLiteral("Write complete!");
inline const QString kOutsideReadPages = QStringLiteral(
    "A data block lies outside the pages read from the radio (addresses 0 to 17FF), please check");
inline const QString kUnknownOs = QStringLiteral("Unknown operating system");

}  // namespace kdi::text
