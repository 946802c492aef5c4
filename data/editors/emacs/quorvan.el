;;; quorvan.el --- quorvan's actions over the region, through its filter mode  -*- lexical-binding: t; -*-

;; The region goes to `quorvan /N --filter' and the output replaces it.  When an
;; action fails or is cancelled quorvan gives the text back unchanged, so the
;; buffer keeps it, and so it does when quorvan cannot start.  quorvan's
;; messages go to the buffer *quorvan errors*.
;;
;; Install: put this file on `load-path' and add (require 'quorvan) to your init
;; file.  Commands (bind them as you like, e.g. under C-c q):
;;   quorvan-function-header  region: function header from a declaration    /0
;;   quorvan-module-header    module header at the top of the buffer        /1
;;   quorvan-access-functions region: access functions from data members    /2
;;   quorvan-external-filter  region through a filter command (asked for)   /4
;;   quorvan-common-string    a common string inserted at point             /5
;;   quorvan-column-insert    region as a rectangle: column insert          /7
;;   quorvan-rtf-as-text      region: rich text as plain text               /9
;; Dialogs are windows when Emacs has a display; in a terminal Emacs they are
;; cancelled, so use the commands that need none there.

;;; Code:

(defgroup quorvan nil
  "Code generation through quorvan's filter mode."
  :group 'tools)

(defcustom quorvan-program "quorvan"
  "The quorvan program."
  :type 'string)

;; quorvan's messages on standard error end up here.
(defconst quorvan--error-buffer "*quorvan errors*")

(defun quorvan--arguments (action args)
  "The arguments of `quorvan /ACTION --filter' with ARGS, naming the buffer's file."
  (append (list (format "/%d" action) "--filter")
          (when buffer-file-name (list "/F" (expand-file-name buffer-file-name)))
          args))

(defun quorvan--filter-region (start end action &rest args)
  "Replace START..END with the output of ACTION (with ARGS) over it.
The region is replaced only when quorvan succeeds: a program that cannot
start, or a failed action, leaves the buffer alone."
  (let ((coding-system-for-write
         (coding-system-change-eol-conversion (or buffer-file-coding-system 'utf-8) 'unix))
        (coding-system-for-read
         (coding-system-change-eol-conversion (or buffer-file-coding-system 'utf-8) 'unix))
        (error-file (make-temp-file "quorvan-errors"))
        (output-buffer (generate-new-buffer " *quorvan output*"))
        status)
    (unwind-protect
        (progn
          (setq status (apply #'call-process-region start end quorvan-program nil
                              (list output-buffer error-file) nil
                              (quorvan--arguments action args)))
          (when (> (file-attribute-size (file-attributes error-file)) 0)
            (with-current-buffer (get-buffer-create quorvan--error-buffer)
              (erase-buffer)
              (insert-file-contents error-file))
            (display-buffer quorvan--error-buffer))
          (if (not (eql status 0))
              (message "quorvan /%d: nothing changed (status %s)" action status)
            (let ((output (with-current-buffer output-buffer (buffer-string))))
              (save-excursion
                (goto-char start)
                (delete-region start end)
                (insert output)))))
      (delete-file error-file)
      (kill-buffer output-buffer))
    (eql status 0)))

(defun quorvan--insert-output (action)
  "Insert at point the output of ACTION, which reads no selection."
  (quorvan--filter-region (point) (point) action))

;;;###autoload
(defun quorvan-function-header (start end)
  "Replace the function declaration in the region with its header."
  (interactive "r")
  (quorvan--filter-region start end 0))

;;;###autoload
(defun quorvan-module-header ()
  "Insert the module header at the top of the buffer."
  (interactive)
  (save-excursion
    (goto-char (point-min))
    (quorvan--insert-output 1)))

;;;###autoload
(defun quorvan-access-functions (start end)
  "Replace the data member declarations in the region with access functions."
  (interactive "r")
  (quorvan--filter-region start end 2))

;;;###autoload
(defun quorvan-external-filter (start end command)
  "Run the region through COMMAND with quorvan's external filter."
  (interactive (list (region-beginning) (region-end) (read-shell-command "Filter: ")))
  (quorvan--filter-region start end 4 "/E" command))

;;;###autoload
(defun quorvan-common-string ()
  "Insert a common string at point."
  (interactive)
  (quorvan--insert-output 5))

;;;###autoload
(defun quorvan-column-insert (start end)
  "Replace the rectangle START..END with one copy of the entered text per line."
  (interactive "r")
  (let* ((lines (extract-rectangle start end))
         (file buffer-file-name)
         (output (with-temp-buffer
                   (setq buffer-file-name file)
                   (insert (mapconcat #'identity lines "\n") "\n")
                   (prog1 (and (quorvan--filter-region (point-min) (point-max) 7)
                               (buffer-string))
                     (setq buffer-file-name nil)))))
    (when output
      (save-excursion
        (delete-rectangle start end)
        (goto-char start)
        (insert-rectangle (split-string (string-remove-suffix "\n" output) "\n"))))))

;;;###autoload
(defun quorvan-rtf-as-text (start end)
  "Replace the rich text in the region with its plain text."
  (interactive "r")
  (quorvan--filter-region start end 9))

(provide 'quorvan)
;;; quorvan.el ends here
