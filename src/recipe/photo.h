// A recipe's photo: kept inside the record as a complete BMP file image.
// Pictures from files or the clipboard are normalised into that form; a
// stored photo is only trusted when its headers and pixels are sound.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "db/database.h"

namespace tovalia {

inline constexpr int kPhotoMostWidth = 480;
inline constexpr int kPhotoMostHeight = 360;
// A BMP kept byte for byte is narrower and lower than this, with fewer than 16 bits.
inline constexpr int kKeptBmpWidth = 640;
inline constexpr int kKeptBmpHeight = 480;
// Files larger than this are not read as pictures.
inline constexpr int64_t kLargestPhotoFile = 100 * 1024 * 1024;

enum class PhotoOutcome {
  kPhoto,        // the bytes are now a stored photo
  kNoPicture,    // 40 bytes or fewer: no photo
  kUnsupported,  // not a picture the program can read
  kUnreadable,   // the file could not be read (missing, or too large)
};

// Turns picture bytes into a stored photo, or empties them: a sound BMP
// under 640 x 480 with fewer than 16 bits a pixel is kept as it is;
// anything else is decoded (JPEG, PNG, GIF, BMP), scaled to fit 480 x 360
// when larger, and written as a 16-bit BMP.
PhotoOutcome NormalizePhoto(std::vector<uint8_t>& bytes);

// The size a picture is stored at: scaled by min(480 / width, 360 /
// height) when larger, both sides rounded; smaller ones keep their size.
void FittedPhotoSize(int width, int height, int& fittedWidth, int& fittedHeight);

// Reads a picture file into the current record's photo (normalised).
// Anything but kPhoto leaves the record's photo as it was.
PhotoOutcome LoadPhotoFile(Database& db, const std::string& path);

// The current record's photo bytes when they are a sound BMP image;
// empty otherwise (no photo, or damaged bytes from an import or a file).
std::vector<uint8_t> SoundStoredPhoto(const Database& db);
// Replaces the current record's photo; empty bytes remove it.
void SetStoredPhoto(Database& db, const std::vector<uint8_t>& bytes);

// A BMP file image from a device-independent bitmap (a BMP without its
// 14-byte file header): the pixel data starts after the information
// header, the colour table and, for bit-field bitmaps with a 40-byte
// header, three colour masks. Bytes that already start with "BM" are
// returned as they are; anything else gives nothing.
std::vector<uint8_t> BmpFileFromDib(const std::vector<uint8_t>& dib);

// The name a saved photo gets: ".bmp" appended unless it already ends so
// (in any case).
std::string PhotoFileName(const std::string& name);

// Whether a copied file's name ends in an extension the photo loader reads.
bool IsPictureFileName(const std::string& name);

}  // namespace tovalia
