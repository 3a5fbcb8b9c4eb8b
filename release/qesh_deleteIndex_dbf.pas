{ qesh_deleteIndex_dbf.dll for Delphi and Free Pascal hosts (Delphi mode).

  DoIt shows the progress window over HostWindow and, one second later,
  detaches the dBASE tables of "<WorkFolder>TempLateTemp\" from their indexes,
  then returns when the window has closed. ResultSlot receives '0' when
  nothing was done (the window was closed first), otherwise DataSourcePath
  with a backslash appended. WideString is the system string (BSTR) that DoIt
  allocates, so the compiler frees it as it frees any other. Paths are 8-bit
  strings in the ANSI code page; nil counts as empty. Reserved is never read:
  pass 0. }
unit qesh_deleteIndex_dbf;

{$IFDEF FPC}
  {$MODE DELPHI}
{$ENDIF}

interface

uses
  Windows;

procedure DoIt(var ResultSlot: WideString; HostWindow: HWND; WorkFolder, DataSourcePath: PAnsiChar;
  Reserved: NativeInt); stdcall;

implementation

procedure DoIt; external 'qesh_deleteIndex_dbf.dll' name 'DoIt';

end.
