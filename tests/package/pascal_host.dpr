{ A Free Pascal host in Delphi mode that uses the release's import unit alone
  (pascal/qesh_deleteIndex_dbf.pas). It runs the job with a work folder that
  has no template folder and the data source given, prints
  "result: <the result>" and exits 0 when the result is that path with a
  backslash.

  usage: pascal_host WORK_FOLDER DATA_SOURCE }
program pascal_host;

{$MODE DELPHI}
{$APPTYPE CONSOLE}

uses
  qesh_deleteIndex_dbf;

var
  Slot: WideString;
  Expected: AnsiString;
begin
  Expected := AnsiString(ParamStr(2)) + '\';
  Slot := 'stale';
  DoIt(Slot, 0, PAnsiChar(AnsiString(ParamStr(1))), PAnsiChar(AnsiString(ParamStr(2))), 0);
  Writeln('result: ', AnsiString(Slot));
  if AnsiString(Slot) <> Expected then
  begin
    Writeln('expected ', Expected);
    Halt(1);
  end;
end.
