@echo off
rem Draws the sample panel by day and at night, into panel-day.png and
rem panel-night.png beside this file.
cd /d "%~dp0"
gaugeview.exe panel ..\Panel\panel.cfg -o panel-day.png
if errorlevel 1 goto failed
gaugeview.exe panel ..\Panel\panel.cfg --night -o panel-night.png
if errorlevel 1 goto failed
echo Wrote panel-day.png and panel-night.png.
goto end
:failed
echo gaugeview could not draw the panel.
:end
pause
