/* qesh_deleteIndex_dbf.dll: detaches the dBASE tables of a host's template
 * folder from their indexes while a small progress window is shown.
 *
 * DoIt shows the progress window over hostWindow and, one second later,
 * processes "<workFolder>TempLateTemp\": every *.DBF table gets its index flag
 * cleared and its .mdx/.cdx index files deleted; tables marked "HSKM" below
 * that folder are deleted. It returns when the window has closed.
 *
 * resultSlot receives a string from SysAllocString (the host frees it with
 * SysFreeString): "0" when nothing was done (the window was closed first),
 * otherwise dataSourcePath with a backslash appended. On entry the slot must
 * hold NULL or a string from SysAllocString, which DoIt reallocates. With a
 * NULL slot DoIt does nothing. Paths are 8-bit strings in the ANSI code page;
 * NULL counts as empty. reserved is never read.
 *
 * The header includes what it uses (HWND, INT_PTR, BSTR and SysFreeString), so
 * it compiles on its own in C89 and later and in C++98 and later, with or
 * without WIN32_LEAN_AND_MEAN (which leaves the OLE automation types out of
 * <windows.h>).
 */
#ifndef QESH_DELETEINDEX_DBF_H
#define QESH_DELETEINDEX_DBF_H

#include <windows.h>

#include <oleauto.h> /* BSTR, SysFreeString; needs <windows.h> first */

#ifdef __cplusplus
extern "C" {
#endif

void __stdcall DoIt(BSTR* resultSlot, HWND hostWindow, const char* workFolder,
                    const char* dataSourcePath, INT_PTR reserved);

typedef void(__stdcall* QeshDoItProc)(BSTR*, HWND, const char*, const char*, INT_PTR);

#ifdef __cplusplus
}
#endif

#endif
