# Sourced by the demo and the screenshot scripts: a folder of sample files
# on drive C: of the prefix and the demo request for the command-line
# client, with all four controls of the customised dialog.
DEMO_TITLE="jxrwin32 demo"
samples="$WINEPREFIX/drive_c/jxrdemo"
mkdir -p "$samples"
for f in report.txt notes.txt readme.txt data.csv "Budget 2024.xls" Forecast.xls; do
    echo "sample file $f" > "$samples/$f"
done
set -- build/x86_64/bin/jxrdialog.exe --open --title "$DEMO_TITLE" \
    --initial-dir 'C:\jxrdemo' \
    --filter "Text files (*.txt)|*.txt" --filter "Workbooks (*.xls)|*.xls" \
    --filter "All files (*.*)|*.*" \
    --label "&Workbooks:" --workbook "Budget 2024.xls" --workbook-special "Invoice.xlt" \
    --workbook "Forecast.xls" --workbook-special "Report.xlt" \
    --check-box "Save as te&xt" --checked \
    --note "Grey entries are templates: they open as new workbooks."
