// gdi32: device contexts, bitmaps, brushes, pens, fonts, blits and text.
//
// Every surface is a buffer of pixels: a bitmap is monochrome (1 bit per pixel, black or white)
// or colour (32 bits per pixel), the screen and every top-level window are 32-bit colour. Objects
// and DCs are process-wide handles. Text is GNU Unifont in fixed cells: a single-byte character is
// 8k by 16k pixels, a double-byte one 16k by 16k, where k = max(1, |lfHeight| / 16 rounded); the
// font's height is 16k, its ascent 14k, its average character width 8k, with no leading.
#pragma once

#include "windef.h"
#include "winerror.h"

#define WINGDIAPI STANDIN_API

extern "C" {

// Colours: 0x00BBGGRR.
#define RGB(r, g, b) \
  ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFF

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

// Ternary raster operations: bits 16..23 are the result for every combination of pattern (P),
// source (S) and destination (D) bits, bit number P*4 + S*2 + D.
#define SRCCOPY (DWORD)0x00CC0020
#define SRCPAINT (DWORD)0x00EE0086
#define SRCAND (DWORD)0x008800C6
#define SRCINVERT (DWORD)0x00660046
#define SRCERASE (DWORD)0x00440328
#define NOTSRCCOPY (DWORD)0x00330008
#define NOTSRCERASE (DWORD)0x001100A6
#define MERGECOPY (DWORD)0x00C000CA
#define MERGEPAINT (DWORD)0x00BB0226
#define PATCOPY (DWORD)0x00F00021
#define PATPAINT (DWORD)0x00FB0A09
#define PATINVERT (DWORD)0x005A0049
#define DSTINVERT (DWORD)0x00550009
#define BLACKNESS (DWORD)0x00000042
#define WHITENESS (DWORD)0x00FF0062

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17

// Object types (GetObjectType, GetCurrentObject).
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_METADC 4
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_METAFILE 9
#define OBJ_MEMDC 10
#define OBJ_EXTPEN 11
#define OBJ_ENHMETADC 12
#define OBJ_ENHMETAFILE 13

// Regions (what the clipping calls answer).
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR

// Bitmaps. A device-dependent bitmap's rows are padded to 16 bits; a DIB's to 32 bits.
typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD, *LPRGBQUAD;

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
} BITMAPFILEHEADER, *PBITMAPFILEHEADER, *LPBITMAPFILEHEADER;
#pragma pack(pop)

static_assert(sizeof(BITMAPINFOHEADER) == 40, "the DIB header is 40 bytes");
static_assert(sizeof(BITMAPFILEHEADER) == 14, "the bitmap file header is 14 bytes");

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1

// Brushes and pens.
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2
#define BS_PATTERN 3
typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
} LOGBRUSH, *PLOGBRUSH, *LPLOGBRUSH;

#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6
typedef struct tagLOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
} LOGPEN, *PLOGPEN, *LPLOGPEN;

// Fonts.
#define LF_FACESIZE 32
typedef struct tagLOGFONT {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
} LOGFONT, *PLOGFONT, *LPLOGFONT;

#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_BOLD 700
#define FW_HEAVY 900
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SHIFTJIS_CHARSET 128
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE (0 << 4)
#define FF_ROMAN (1 << 4)
#define FF_SWISS (2 << 4)
#define FF_MODERN (3 << 4)

typedef struct tagTEXTMETRIC {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  BYTE tmFirstChar;
  BYTE tmLastChar;
  BYTE tmDefaultChar;
  BYTE tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRIC, *PTEXTMETRIC, *LPTEXTMETRIC;

// ExtTextOut options.
#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004

// GetDeviceCaps indexes.
#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMFONTS 22
#define NUMCOLORS 24
#define RASTERCAPS 38
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108
#define DT_RASDISPLAY 1
#define RC_BITBLT 1
#define RC_BITMAP64 8
#define RC_DI_BITMAP 0x0080
#define RC_DIBTODEV 0x0200
#define RC_STRETCHBLT 0x0800

// Device contexts. A memory DC starts with the 1 x 1 monochrome stock bitmap; every DC starts
// with the black pen, the white brush, the system font, black text on white, opaque background.
WINGDIAPI HDC WINAPI CreateCompatibleDC(HDC dc);
WINGDIAPI BOOL WINAPI DeleteDC(HDC dc);
// Bitmaps go only into memory DCs, and into one DC at a time.
WINGDIAPI HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
WINGDIAPI HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type);
WINGDIAPI COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
WINGDIAPI COLORREF WINAPI GetTextColor(HDC dc);
WINGDIAPI COLORREF WINAPI SetBkColor(HDC dc, COLORREF color);
WINGDIAPI COLORREF WINAPI GetBkColor(HDC dc);
WINGDIAPI int WINAPI SetBkMode(HDC dc, int mode);
WINGDIAPI int WINAPI GetBkMode(HDC dc);
WINGDIAPI int WINAPI IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
WINGDIAPI int WINAPI GetClipBox(HDC dc, LPRECT rect);
WINGDIAPI int WINAPI GetDeviceCaps(HDC dc, int index);

// Objects. Stock objects are never deleted (DeleteObject answers TRUE and keeps them); an object
// still selected into a DC is deleted when it leaves the DC.
WINGDIAPI HGDIOBJ WINAPI GetStockObject(int index);
WINGDIAPI BOOL WINAPI DeleteObject(HGDIOBJ object);
WINGDIAPI int WINAPI GetObject(HGDIOBJ object, int size, LPVOID buffer);
WINGDIAPI DWORD WINAPI GetObjectType(HGDIOBJ object);
WINGDIAPI HBRUSH WINAPI CreateSolidBrush(COLORREF color);
WINGDIAPI HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* brush);
WINGDIAPI HPEN WINAPI CreatePen(int style, int width, COLORREF color);
WINGDIAPI HPEN WINAPI CreatePenIndirect(const LOGPEN* pen);
WINGDIAPI HFONT WINAPI CreateFontIndirect(const LOGFONT* font);

// Bitmaps: 1 or 32 bits per pixel, one plane. A width or height of 0 gives the 1 x 1 monochrome
// stock bitmap.
WINGDIAPI HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
WINGDIAPI HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* bitmap);
// Compatible with the bitmap in a memory DC (monochrome in a fresh one), else 32 bits per pixel.
WINGDIAPI HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height);
// With bits NULL and biBitCount 0 fills in the 40-byte header only; else copies scan lines as a
// DIB of 1, 24 or 32 bits per pixel (bottom-up for a positive biHeight) and returns their number.
WINGDIAPI int WINAPI GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info,
                               UINT usage);

// Blits. Colour to monochrome: the source DC's background colour gives white (1), every other
// colour black (0). Monochrome to colour: white gives the destination DC's background colour,
// black its text colour. StretchBlt takes the nearest pixel (the one under each destination
// pixel's top-left corner); PlgBlt turns by quarter turns.
WINGDIAPI BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                             DWORD rop);
WINGDIAPI BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource,
                                 int ySource, int widthSource, int heightSource, DWORD rop);
WINGDIAPI BOOL WINAPI PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
WINGDIAPI BOOL WINAPI PlgBlt(HDC dest, const POINT* points, HDC source, int xSource, int ySource, int width,
                             int height, HBITMAP mask, int xMask, int yMask);
WINGDIAPI COLORREF WINAPI GetPixel(HDC dc, int x, int y);
WINGDIAPI COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color);

// Lines with the current pen (PS_SOLID, or PS_NULL which draws nothing); LineTo leaves out the
// end point.
WINGDIAPI BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous);
WINGDIAPI BOOL WINAPI LineTo(HDC dc, int x, int y);

// Text, in the DC's font and text colour; an opaque background fills each character's cell with
// the background colour. Bytes are characters of the process's code page.
WINGDIAPI BOOL WINAPI ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                                 const INT* dx);
WINGDIAPI BOOL WINAPI TextOut(HDC dc, int x, int y, LPCSTR text, int count);
WINGDIAPI BOOL WINAPI GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size);
WINGDIAPI BOOL WINAPI GetTextMetrics(HDC dc, LPTEXTMETRIC metrics);

}  // extern "C"
