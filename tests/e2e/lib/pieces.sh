# Sourced (after common.sh) by the end-to-end scripts that check the default
# voice's sound piece by piece against the same synthesizer code run natively
# (make_diphones_speech) over the installation's data and tuning.
speaker=${VOLTANOR_NATIVE_DIR:-$VOLTANOR_SOURCE_DIR/build/native}/make_diphones_speech
diphones=$VOLTANOR_DATA_DIR/kelmar/som/difones
letters=$VOLTANOR_DATA_DIR/kelmar/som/letras
# The installed settings file, and one of its values.
installed() { tr -d '\r' < "$VOLTANOR_DATA_DIR/ORAVIX.INI"; }
installed_value() { installed | sed -n "s/^$1=//p" | head -n1; }
# The tuning of the installation's speed (VELOCIDADE).
speed=$(installed_value VELOCIDADE)
tuning=("$(installed_value "DIFONES$speed")" "$(installed_value "CORTEFON$speed")"
        "$(installed_value "SOBRAFON$speed")" "$(installed_value "INTERPAL$speed")")

# spoke NAME PIECES: the sound captured in $work/NAME-sound holds these pieces
# (lines "words TEXT", "sound NAME", "numbers NAME...", in UTF-8), in order.
spoke() { iconv -f UTF-8 -t CP1252 <<<"$2" > "$work/$1.pieces"
          "$speaker" check "$diphones" "$letters" "${tuning[@]}" "$work/$1-sound" "$work/$1.pieces"; }

# What the speak-text dispatcher makes of the report on the battery most
# scripts fake (mains=0 battery=Discharging full=5000000 now=4000000
# current=1600000):
#   2 horas e 30 minutos / 80 por cento restante. / Nível da bateria: alto. /
#   Duração máxima: 11250 segundos. Energia externa: desligada.
# in order (CR and LF are letter sounds; punctuation plays its sound, then pauses).
discharging_report_pieces='numbers _duas
words  horas e 
numbers _trinta
words  minutos
sound _13
sound _10
numbers _oitenta
words  por cento restante
sound _46
sound _13
sound _10
words Nível da bateria
sound _58
words  alto
sound _46
sound _13
sound _10
words Duração máxima
sound _58
numbers _onze _mil _e _duzento _e _cinquen
words  segundos
sound _46
words  Energia externa
sound _58
words  desligada
sound _46'
