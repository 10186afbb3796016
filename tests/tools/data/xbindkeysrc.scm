;; xbindkeys configuration in Guile
(xbindkey '(control shift q) "xbindkeys_show")
(xbindkey '("XF86AudioMute") "amixer set Master toggle")

(define (toggle-touchpad)
  (run-command "synclient TouchpadOff=1"))
(xbindkey-function '(control alt p) toggle-touchpad)
