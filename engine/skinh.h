/* SkinH_EL.dll: the skin engine's programming interface.
 *
 * The engine gives the windows of one thread the look of a skin: the frame
 * and caption of top-level windows, their background, push buttons and the
 * borders of edit boxes. Every entry uses the Windows calling convention
 * (the callee removes its arguments) and is exported under its plain name.
 * Call the engine from the thread whose windows it skins; see API.md.
 */
#ifndef SKINH_EL_H
#define SKINH_EL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Results. A skin that fails validation gives SKINH_E_BAD_SKIN plus the
 * reason (SKINH_E_BAD_SKIN + 1 .. SKINH_E_BAD_SKIN + 17, see API.md). */
#define SKINH_OK 0
#define SKINH_E_INVALID_ARG 1
#define SKINH_E_NOT_ATTACHED 2
#define SKINH_E_WRONG_THREAD 3
#define SKINH_E_OUT_OF_MEMORY 4
#define SKINH_E_FILE 5
#define SKINH_E_KEY 6
#define SKINH_E_SYSTEM 7
#define SKINH_E_NOT_SKINNABLE 8
#define SKINH_E_BAD_SKIN 100

/* SkinH_SetColor: give the role back to the skin (same value as CLR_DEFAULT). */
#define SKINH_COLOR_DEFAULT ((COLORREF)0xFF000000)

/* Colour roles (SkinH_GetColor, SkinH_SetColor). */
enum {
    SKINH_COLOR_CAPTION_ACTIVE_START, SKINH_COLOR_CAPTION_ACTIVE_END,
    SKINH_COLOR_CAPTION_INACTIVE_START, SKINH_COLOR_CAPTION_INACTIVE_END,
    SKINH_COLOR_CAPTION_TEXT_ACTIVE, SKINH_COLOR_CAPTION_TEXT_INACTIVE, SKINH_COLOR_CAPTION_TEXT_SHADOW,
    SKINH_COLOR_FRAME_ACTIVE, SKINH_COLOR_FRAME_INACTIVE, SKINH_COLOR_FRAME_OUTLINE,
    SKINH_COLOR_WINDOW_BACKGROUND, SKINH_COLOR_BACKGROUND_PATTERN, SKINH_COLOR_WINDOW_TEXT,
    SKINH_COLOR_BUTTON_FACE, SKINH_COLOR_BUTTON_FACE_HOT, SKINH_COLOR_BUTTON_FACE_PRESSED,
    SKINH_COLOR_BUTTON_FACE_DISABLED, SKINH_COLOR_BUTTON_BORDER, SKINH_COLOR_BUTTON_TEXT,
    SKINH_COLOR_BUTTON_TEXT_DISABLED, SKINH_COLOR_FOCUS_RING, SKINH_COLOR_EDIT_BORDER,
    SKINH_COLOR_EDIT_BORDER_FOCUSED, SKINH_COLOR_CAPTION_BUTTON_GLYPH, SKINH_COLOR_CAPTION_BUTTON_GLYPH_HOT,
    SKINH_COLOR_CAPTION_BUTTON_HOT, SKINH_COLOR_CAPTION_BUTTON_PRESSED, SKINH_COLOR_CLOSE_BUTTON_HOT,
    SKINH_COLOR_CLOSE_BUTTON_PRESSED,
    SKINH_COLOR_COUNT
};

/* Metrics of the attached skin, in pixels (SkinH_GetMetric). */
enum {
    SKINH_METRIC_CAPTION_HEIGHT, SKINH_METRIC_BORDER_WIDTH, SKINH_METRIC_CAPTION_BUTTON_WIDTH,
    SKINH_METRIC_CAPTION_BUTTON_HEIGHT, SKINH_METRIC_CAPTION_BUTTON_SPACING, SKINH_METRIC_CAPTION_PADDING,
    SKINH_METRIC_ICON_SIZE, SKINH_METRIC_CAPTION_TEXT_INDENT, SKINH_METRIC_BUTTON_CORNER_RADIUS,
    SKINH_METRIC_BUTTON_BORDER_WIDTH, SKINH_METRIC_FOCUS_RING_INSET, SKINH_METRIC_EDIT_BORDER_WIDTH,
    SKINH_METRIC_CAPTION_GLOSS_PERCENT, SKINH_METRIC_BUTTON_GLOSS_PERCENT, SKINH_METRIC_TEXTURE_CELL,
    SKINH_METRIC_TEXTURE_LINE,
    SKINH_METRIC_COUNT
};

/* Caption buttons (SkinH_SetTitleButtonVisible). */
enum { SKINH_TITLE_MINIMIZE, SKINH_TITLE_MAXIMIZE, SKINH_TITLE_CLOSE };

/* Counters (SkinH_GetStats). */
enum {
    SKINH_STAT_SKINNED_WINDOWS, /* windows the engine skins now */
    SKINH_STAT_GDI_OBJECTS,     /* GDI objects the engine holds now */
    SKINH_STAT_USER_OBJECTS,    /* USER objects (hooks) the engine holds now */
    SKINH_STAT_REPAINTS         /* repaint passes the engine has requested so far */
};

/* Attaching and detaching. */
int WINAPI SkinH_AttachRes(const void* skin, int size, const char* key, int hue, int saturation, int brightness);
int WINAPI SkinH_AttachFile(const wchar_t* path, const char* key);
int WINAPI SkinH_Detach(void);
BOOL WINAPI SkinH_IsAttached(void);
int WINAPI SkinH_ValidateSkin(const void* skin, int size);

/* Errors and information. */
int WINAPI SkinH_GetLastError(void);
int WINAPI SkinH_GetErrorText(int code, wchar_t* buffer, int capacity);
DWORD WINAPI SkinH_GetVersion(void);
int WINAPI SkinH_GetSkinName(wchar_t* buffer, int capacity);
int WINAPI SkinH_GetStats(int counter);

/* Which windows are skinned. */
int WINAPI SkinH_SetWindowSkinning(HWND window, BOOL skinned);
BOOL WINAPI SkinH_IsWindowSkinned(HWND window);
int WINAPI SkinH_SetTitleButtonVisible(HWND window, int button, BOOL visible);

/* Colours and metrics. */
int WINAPI SkinH_SetHue(int degrees);
int WINAPI SkinH_SetSaturation(int percent);
int WINAPI SkinH_SetBrightness(int percent);
COLORREF WINAPI SkinH_GetColor(int role);
int WINAPI SkinH_SetColor(int role, COLORREF colour);
int WINAPI SkinH_ResetColors(void);
int WINAPI SkinH_GetMetric(int metric);

/* Repainting. */
int WINAPI SkinH_Repaint(void);
int WINAPI SkinH_LockUpdate(void);
int WINAPI SkinH_UnlockUpdate(void);

#ifdef __cplusplus
}
#endif

#endif /* SKINH_EL_H */
